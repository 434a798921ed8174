#include "frmShopFloor.h"

#include "AppInfo.h"

frmShopFloor::frmShopFloor(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(ApplicationTitle());
}

void frmShopFloor::Form_Load()
{
    LoadFailed = 0;
}
