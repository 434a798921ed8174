#include "TouchScrolling.h"

#include <QAbstractItemView>
#include <QScroller>
#include <QScrollerProperties>

void EnableTouchScrolling(QAbstractItemView *view)
{
    // Item steps would make the list jump under the finger.
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Touch reaches widgets as mouse events, so one gesture serves both.
    QScroller::grabGesture(view->viewport(), QScroller::LeftMouseButtonGesture);
    QScroller *scroller = QScroller::scroller(view->viewport());
    QScrollerProperties p = scroller->scrollerProperties();
    // A list that springs back past its ends reads as a fault on a machine tool.
    const QVariant off = QVariant::fromValue(QScrollerProperties::OvershootAlwaysOff);
    p.setScrollMetric(QScrollerProperties::VerticalOvershootPolicy, off);
    p.setScrollMetric(QScrollerProperties::HorizontalOvershootPolicy, off);
    scroller->setScrollerProperties(p);
}
