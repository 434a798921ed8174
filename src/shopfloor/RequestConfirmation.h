#pragma once

#include <QLabel>
#include <QPointer>

class QTimer;

// A short note inside the window that a request left. It floats over the
// bottom of `over` (the file list) and belongs to no layout, so nothing
// moves; it needs no key and goes after a few seconds, or at the operator's
// next key, click or touch anywhere in the window.
class RequestConfirmation : public QLabel
{
    Q_OBJECT
public:
    static constexpr int DefaultShowMs = 5000;

    RequestConfirmation(QWidget *over, int showMs = DefaultShowMs);

    void setShowTime(int ms) { m_showMs = ms; }
    void showText(const QString &text);
    void dismiss();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QPointer<QWidget> m_over;
    QTimer *m_timer;
    int m_showMs;
};
