#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Window icon "FORM_ICON" on `window`.
void SetFormIcon(QWidget *window);

// Top-left corner that centres a window of `size` in `area`: each difference
// rounded to a whole unit, then halved with the fraction dropped.
QPoint CenteredPosition(const QRect &area, const QSize &size);

// One axis of the above, for callers that work in twips: the difference
// rounded to the nearest whole unit (halves to even), then halved toward zero.
int CenteredOffset(double outerExtent, double innerExtent);

// Moves `window` (size unchanged) to the centre of `owner`, or of the screen
// when owner is null.
void CenterForm(QWidget *window, QWidget *owner = nullptr);

// Top-left corner that keeps `window` inside `available` (its top-left
// corner wins when it is larger).
QPoint KeptInside(const QRect &window, const QRect &available);

// Moves `window` fully onto the screen it mostly lies on: a window centred
// over a small or edge-placed owner would otherwise be out of reach.
void KeepOnScreen(QWidget *window);
