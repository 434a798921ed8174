#pragma once

#include <QWidget>

// The administration wizard. Placeholder until the wizard lands.
class frmAdminWizard : public QWidget
{
    Q_OBJECT
public:
    explicit frmAdminWizard(QWidget *parent = nullptr);
    void Form_Load();
    int HelpContextID = 0;
};
