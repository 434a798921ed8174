#include "RequestConfirmation.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

RequestConfirmation::RequestConfirmation(QWidget *over, int showMs)
    : QLabel(over->parentWidget()), m_over(over), m_timer(new QTimer(this)), m_showMs(showMs)
{
    setObjectName(QStringLiteral("lblConfirmation"));
    setAttribute(Qt::WA_StyledBackground);
    setAlignment(Qt::AlignCenter);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &RequestConfirmation::dismiss);
    hide();
}

void RequestConfirmation::showText(const QString &text)
{
    setText(text);
    place();
    show();
    raise();
    m_timer->start(m_showMs);
    // The next press anywhere ends it; releases do not (the Enter that sent
    // the request may still be going up).
    qApp->installEventFilter(this);
}

void RequestConfirmation::dismiss()
{
    qApp->removeEventFilter(this);
    m_timer->stop();
    hide();
}

void RequestConfirmation::place()
{
    adjustSize();
    if (!m_over)
        return;
    const QRect area = m_over->geometry();
    const int margin = 12;
    const int width = qMin(sizeHint().width(), area.width() - 2 * margin);
    resize(qMax(width, 0), sizeHint().height());
    move(area.right() - this->width() - margin + 1, area.bottom() - height() - margin + 1);
}

bool RequestConfirmation::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
    case QEvent::Resize: {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == window()
            && (event->type() != QEvent::Resize || widget == window()))
            dismiss();
        break;
    }
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}
