#pragma once

#include "KeyboardKeys.h"

#include <QDialog>
#include <QVector>

class EntryLineEdit;
class QPushButton;

// The on-screen keyboard: a modal window for typing a file name by touch.
// Construction loads it; the caller sets HelpContextID, shows it modally and
// reads Result (1 = OK, 2 = cancelled or closed) and EnteredText.
class frmKeyboard : public QDialog
{
    Q_OBJECT
public:
    explicit frmKeyboard(QWidget *parent = nullptr);

    int Result = 2;
    QString EnteredText;
    int HelpContextID = 0;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void Form_Load();
    void LoadCaptions();
    void SetKeyCaptions();
    void cmdKey_Click(int index);
    void cmdKey_MouseMove(int index);
    void Form_MouseMove();
    void cmdOK_Click();
    void cmdCancel_Click();

    EntryState CurrentEntry() const;
    void ShowEntry(const EntryState &entry);
    void SetKeyHighlighted(int index, bool highlighted);

    KeyboardKeys m_keys;
    QVector<QPushButton *> cmdKey;
    EntryLineEdit *txtText = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
