#include "frmAdminWizard.h"

#include "AppInfo.h"

frmAdminWizard::frmAdminWizard(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(ApplicationTitle());
    resize(640, 480);
}

void frmAdminWizard::Form_Load() {}
