// frmShopFloor: window layout and splitter. The arithmetic is in twips
// (ShopFloorLayout); this file only reads sizes and places the controls.
#include "frmShopFloor.h"

#include "CRegSettings.h"
#include "FileGridView.h"
#include "FileNameEdit.h"
#include "ShopFloorLayout.h"
#include "SplitterBar.h"
#include "frmShopFloorButtonBar.h"
#include "frmShopFloorPlacement.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

using namespace ShopFloorLayout;

namespace {

const QString kSplitterSection = QStringLiteral("Settings");
const QString kSplitterKey = QStringLiteral("SFWizardVSplitter");

// tbAction fills fraAction but for this margin, so that its buttons are
// finger-sized and their captions stand under the pictures.
constexpr int kActionBarMargin = 90;

} // namespace

double frmShopFloor::Dpi() const
{
    return logicalDpiX() > 0 ? double(logicalDpiX()) : 96.0;
}

QRect frmShopFloor::ToPixels(const QRect &twips) const
{
    return TwipsToPixels(twips, Dpi());
}

int frmShopFloor::ToTwips(int pixels) const
{
    return PixelsToTwips(pixels, Dpi());
}

void frmShopFloor::DoResize()
{
    Form_Resize();
}

void frmShopFloor::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    ApplyPlacementOnceFramed();
    Form_Resize();
}

bool frmShopFloor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picFiles && event->type() == QEvent::Resize)
        picFiles_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmShopFloor::ApplyMinimumSize()
{
    // The smallest outer size, as a minimum the platform enforces while the
    // operator drags the border.
    const double dpi = Dpi();
    const QSize frameExtra = frameGeometry().size() - size();
    const QSize minimum = QSize(TwipsToPixels(MinOuterWidth, dpi), TwipsToPixels(MinOuterHeight, dpi))
                          - frameExtra;
    if (minimumSize() != minimum)
        setMinimumSize(minimum);
}

void frmShopFloor::Form_Resize()
{
    ApplyMinimumSize();
    QWidget *client = centralWidget();
    const int toolbarPixels = tbMachines->sizeHint().height();
    tbMachines->setGeometry(0, 0, client->width(), toolbarPixels);
    const QRect panel =
        PicFilesRect(ToTwips(client->width()), ToTwips(client->height()), ToTwips(toolbarPixels));
    picFiles->setGeometry(ToPixels(panel));
    grdFiles->setupFileColumns();

    if (!ResizePending && isMaximized()) {
        ResizePending = true;
        timRepaint->start();
    }
}

void frmShopFloor::timRepaint_Timer()
{
    timRepaint->stop();
    Form_Resize();
    ResizePending = false;
}

void frmShopFloor::picFiles_Resize()
{
    const int stored = TwipsFromSetting(
        CRegSettings().GetUserSetting(kSplitterSection, kSplitterKey, SplitterDefault),
        SplitterDefault);
    // The frame keeps its width unless the captions in this language and
    // font need more; then it grows rather than cutting them off.
    const int actionWidth =
        qMax(int(ActionFrameWidth), ToTwips(tbAction->sizeHint().width()) + 2 * kActionBarMargin);
    const PanelLayout layout =
        LayoutPanel(ToTwips(picFiles->width()), ToTwips(picFiles->height()),
                    ToTwips(centralWidget()->width()), stored, FrameHeight, actionWidth);
    tvDirectory->setGeometry(ToPixels(layout.tree));
    grdFiles->setGeometry(ToPixels(layout.grid));
    VSplitter->setGeometry(ToPixels(layout.bar));
    fraAction->setGeometry(ToPixels(layout.actionFrame));
    tbAction->setGeometry(ToPixels(QRect(kActionBarMargin, kActionBarMargin,
                                         actionWidth - 2 * kActionBarMargin,
                                         FrameHeight - 2 * kActionBarMargin)));
    fraFile->setGeometry(ToPixels(layout.fileFrame));
    LayoutFileRow();
}

void frmShopFloor::VSplitter_Released(int xTwips)
{
    CRegSettings().SaveUserSetting(kSplitterSection, kSplitterKey, xTwips);
    picFiles_Resize();
}

void frmShopFloor::LayoutFileRow()
{
    const MiddleButton which = ChooseMiddleButton(!cmdEdit->isHidden(), !cmdView->isHidden());
    QPushButton *middle = which == MiddleButton::Edit   ? cmdEdit
                          : which == MiddleButton::View ? cmdView
                                                         : nullptr;
    FileRowInput in;
    in.frameWidth = ToTwips(fraFile->width());
    in.labelWidth = ToTwips(lblFile->width());
    in.hasMiddle = middle != nullptr;
    FileRowLayout row;
    if (!ShopFloorLayout::LayoutFileRow(in, &row))
        return;
    lblFile->setGeometry(ToPixels(QRect(row.labelLeft, LabelTop, in.labelWidth, LabelHeight)));
    txtFile->setGeometry(ToPixels(QRect(row.textLeft, RowTop, row.textWidth, TouchSize)));
    auto place = [this](QPushButton *b, int left) {
        b->setGeometry(ToPixels(QRect(left, RowTop, TouchSize, TouchSize)));
    };
    place(cmdKeyboard, row.keyboardLeft);
    if (middle)
        place(middle, row.middleLeft);
    place(cmdGo, row.goLeft);
    place(cmdClose, row.closeLeft);
}
