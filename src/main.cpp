#include <QApplication>

#include "AppInfo.h"
#include "frmShopFloor.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    auto *w = new frmShopFloor;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->Form_Load();
    w->show();
    return app.exec();
}
