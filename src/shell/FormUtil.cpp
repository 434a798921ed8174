#include "FormUtil.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

#include <cmath>

void SetFormIcon(QWidget *window)
{
    if (window)
        window->setWindowIcon(QIcon(QStringLiteral(":/icons/FORM_ICON.svg")));
}

int CenteredOffset(double outerExtent, double innerExtent)
{
    // Whole units first (to even, as the original arithmetic), then integer
    // halving, which truncates toward zero for a window larger than the area.
    const long long difference = std::llrint(outerExtent - innerExtent);
    return int(difference / 2);
}

QPoint CenteredPosition(const QRect &area, const QSize &size)
{
    return QPoint(area.left() + CenteredOffset(area.width(), size.width()),
                  area.top() + CenteredOffset(area.height(), size.height()));
}

void CenterForm(QWidget *window, QWidget *owner)
{
    if (!window)
        return;
    QRect area;
    if (owner) {
        area = owner->window()->frameGeometry();
    } else {
        QScreen *screen = window->screen();
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        area = screen->geometry();
    }
    window->move(CenteredPosition(area, window->frameGeometry().size()));
}

QPoint KeptInside(const QRect &window, const QRect &available)
{
    int x = qMin(window.x(), available.x() + available.width() - window.width());
    int y = qMin(window.y(), available.y() + available.height() - window.height());
    x = qMax(x, available.x());
    y = qMax(y, available.y());
    return QPoint(x, y);
}

void KeepOnScreen(QWidget *window)
{
    if (!window)
        return;
    const QRect frame = window->frameGeometry();
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen();
    if (screen)
        window->move(KeptInside(frame, screen->availableGeometry()));
}
