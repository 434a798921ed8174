#include "frmShopFloorStyle.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace {

const char *const kStyleSheet = R"(
#frmShopFloorClient { background: #e6e9ec; }
frmShopFloorButtonBar { background: transparent; border: none; }
#tbMachines { background: #d9dee3; border-bottom: 1px solid #b4bcc4; }
QToolButton {
    color: #1d2730; background: #f4f6f8; border: 1px solid #aab4be; border-radius: 4px;
    padding: 6px 12px; min-height: 40px;
}
#tbMachines QToolButton { min-width: 116px; min-height: 60px; font-weight: 600; }
#tbAction QToolButton { padding: 1px 2px; min-height: 0px; }
QToolButton:hover { background: #ffffff; border-color: #7f8e9c; }
QToolButton:checked {
    background: #d3e4f2; border: 2px solid #1f5f8b; color: #0f3552;
}
QToolButton:disabled { color: #9aa3ab; background: #eceff1; border-color: #cfd5da; }
QGroupBox { background: #f4f6f8; border: 1px solid #b4bcc4; border-radius: 4px; margin: 0; }
QTreeView, QTableView {
    background: #ffffff; border: 1px solid #b4bcc4; font-size: 11pt;
    selection-background-color: #1f5f8b; selection-color: #ffffff;
}
QTreeView::item { min-height: 34px; }
QHeaderView::section {
    background: #dde2e7; color: #1d2730; border: none; border-right: 1px solid #c2c9d0;
    border-bottom: 1px solid #b4bcc4; padding: 6px 8px; font-weight: 600;
}
QLineEdit {
    background: #ffffff; border: 1px solid #8a97a3; border-radius: 3px; padding: 2px 8px;
}
QLineEdit:focus { border: 2px solid #1f5f8b; }
QPushButton {
    background: #f4f6f8; border: 1px solid #8a97a3; border-radius: 4px; color: #1d2730;
    font-weight: 600;
}
QPushButton:hover { background: #ffffff; }
QPushButton:pressed { background: #d3e4f2; }
#cmdGo { background: #1f5f8b; border-color: #174a6d; }
#cmdGo:hover { background: #2870a3; }
#cmdGo:pressed { background: #174a6d; }
#VSplitter { background: #cfd5db; border-left: 1px solid #b4bcc4; border-right: 1px solid #b4bcc4; }
#VSplitterShadow { background: #1f5f8b; }
#lblConfirmation {
    background: #2e7d32; color: #ffffff; border: 1px solid #1b5e20; border-radius: 4px;
    padding: 10px 18px; font-weight: 600;
}
)";

} // namespace

void ApplyShopFloorStyle(QWidget *window)
{
    // On the client area only: message boxes and the on-screen keyboard are
    // children of the window and keep their own look.
    QWidget *client = window->findChild<QWidget *>(QStringLiteral("frmShopFloorClient"));
    (client ? client : window)->setStyleSheet(QString::fromLatin1(kStyleSheet));
    if (auto *label = window->findChild<QLabel *>(QStringLiteral("lblFile"))) {
        QFont f = label->font();
        f.setPointSizeF(12);
        label->setFont(f);
    }
    if (auto *label = window->findChild<QLabel *>(QStringLiteral("lblConfirmation"))) {
        QFont f = label->font();
        f.setPointSizeF(13.5);
        label->setFont(f);
    }
    if (auto *edit = window->findChild<QLineEdit *>(QStringLiteral("txtFile"))) {
        QFont f = edit->font();
        f.setPointSizeF(13.5);
        edit->setFont(f);
    }
}
