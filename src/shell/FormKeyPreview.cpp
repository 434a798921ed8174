#include "FormKeyPreview.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <memory>

FormKeyPreview::FormKeyPreview(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("FormKeyPreview"));
    watch(window);
}

void FormKeyPreview::watch(QObject *object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    const QObjectList children = object->children();
    for (QObject *child : children)
        watch(child);
}

bool FormKeyPreview::isPropagatedCopy(const QEvent *event) const
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    return event == m_forwarded && key->key() == m_forwardedKey
        && key->timestamp() == m_forwardedTimestamp;
}

bool FormKeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        watch(static_cast<QChildEvent *>(event)->child());
        return false;
    }
    if (event->type() != QEvent::KeyRelease)
        return false;

    if (watched == m_window) {
        if (isPropagatedCopy(event)) {
            m_forwarded = nullptr;
            return true;
        }
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window || isPropagatedCopy(event))
        return false;

    const auto *key = static_cast<QKeyEvent *>(event);
    m_forwarded = event;
    m_forwardedKey = key->key();
    m_forwardedTimestamp = key->timestamp();
    QPointer<QObject> alive(watched);
    std::unique_ptr<QEvent> copy(event->clone());
    QCoreApplication::sendEvent(m_window, copy.get());
    if (!alive) {
        // The window's handler removed the control; nothing is left to get it.
        event->accept();
        return true;
    }
    return false;
}
