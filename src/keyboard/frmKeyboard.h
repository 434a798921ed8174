#pragma once

#include <QDialog>

// On-screen keyboard. Placeholder until the keyboard lands.
class frmKeyboard : public QDialog
{
    Q_OBJECT
public:
    explicit frmKeyboard(QWidget *parent = nullptr);
    int Result = 2;
    QString EnteredText;
    int HelpContextID = 0;
};
