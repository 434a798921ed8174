#pragma once

#include <QMainWindow>

// The operator's window. Placeholder until the station window lands.
class frmShopFloor : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmShopFloor(QWidget *parent = nullptr);

    // Load handler: reads settings, opens the database, loads the machines.
    // Sets LoadFailed to 1 (after showing its message) when the station
    // cannot be used.
    void Form_Load();

    int LoadFailed = 0;
    int HelpContextID = 0;
};
