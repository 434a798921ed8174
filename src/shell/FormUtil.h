#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// Window icon "FORM_ICON" on `window`.
void SetFormIcon(QWidget *window);

// Top-left corner that centres a window of `size` in `area`: each difference
// rounded to a whole unit, then halved with the fraction dropped.
QPoint CenteredPosition(const QRect &area, const QSize &size);

// Moves `window` (size unchanged) to the centre of `owner`, or of the screen
// when owner is null.
void CenterForm(QWidget *window, QWidget *owner = nullptr);
