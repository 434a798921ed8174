#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>

// The default button of a window that is no dialog (QPushButton::setDefault
// has no effect there): Return or Enter pressed anywhere in `window` presses
// `button`, except that
// - with the focus on another button, Enter presses that button (as Space does);
// - a control that takes Enter itself (a multi-line editor) keeps it;
// - a held key presses nothing more than its first press did;
// - dialogs opened from the window keep their own keys.
// Nothing happens while `button` is hidden or disabled. A window whose default
// changes (a wizard's Next and Finish) calls setButton.
class DefaultButtonKeys : public QObject
{
    Q_OBJECT
public:
    DefaultButtonKeys(QWidget *window, QAbstractButton *button);

    void setButton(QAbstractButton *button);
    QAbstractButton *button() const { return m_button; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPointer<QAbstractButton> m_button;
};
