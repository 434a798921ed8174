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
    // Machines that do not fit in one row wrap onto more rows.
    const int toolbarPixels = tbMachines->heightForWidth(client->width());
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
    const PanelLayout layout =
        LayoutPanel(ToTwips(picFiles->width()), ToTwips(picFiles->height()),
                    ToTwips(centralWidget()->width()), stored);
    tvDirectory->setGeometry(ToPixels(layout.tree));
    grdFiles->setGeometry(ToPixels(layout.grid));
    VSplitter->setGeometry(ToPixels(layout.bar));
    fraAction->setGeometry(ToPixels(layout.actionFrame));
    tbAction->setGeometry(ToPixels(ActionToolbarRect));
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
