#include "DefaultButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

DefaultButtonKeys::DefaultButtonKeys(QWidget *window, QAbstractButton *button)
    : QObject(window), m_window(window), m_button(button)
{
    setObjectName(QStringLiteral("DefaultButtonKeys"));
    // Controls that have no use for Enter leave it unaccepted, and Qt hands
    // it on up to the window, where it arrives here.
    window->installEventFilter(this);
}

void DefaultButtonKeys::setButton(QAbstractButton *button)
{
    m_button = button;
}

bool DefaultButtonKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (key->isAutoRepeat())
        return true;
    QAbstractButton *target = m_button;
    auto *focused = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
    if (focused && focused->window() == m_window)
        target = focused;
    if (!target || !target->isEnabled() || !target->isVisibleTo(m_window))
        return false;
    target->click();
    return true;
}
