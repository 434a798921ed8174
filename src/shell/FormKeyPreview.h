#pragma once

#include <QObject>

class QWidget;

// Gives a window the first look at every key release in it, whichever child
// has the focus, the way a form with key preview gets it: the window's
// keyReleaseEvent runs first, then the child handles the key as usual.
// Children added later are covered too. Child windows (dialogs) are left to
// their own preview.
class FormKeyPreview : public QObject
{
    Q_OBJECT
public:
    explicit FormKeyPreview(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QObject *object);
    bool isPropagatedCopy(const QEvent *event) const;

    QWidget *m_window;
    // The child's event already shown to the window; when the child ignores
    // it Qt hands the same event on to the window, which must not see it twice.
    const QEvent *m_forwarded = nullptr;
    int m_forwardedKey = 0;
    quint64 m_forwardedTimestamp = 0;
};
