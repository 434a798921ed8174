#pragma once

#include "Twips.h"

#include <QRect>
#include <QSize>

// Fixed layout of the on-screen keyboard, in twips (1440 per inch).
namespace KeyboardGeometry {

constexpr int KeyCount = 49;
constexpr int KeyHeight = 750;

QSize ClientSizeTwips();
QRect KeyRectTwips(int index);
// The bottom row; it shares the key height.
QRect EntryLineRectTwips();
QRect OkRectTwips();
QRect CancelRectTwips();

// The edge to the screen: each coordinate converted on its own (Twips.h), so
// that keys of one width stay one width in pixels.
QRect TwipsToPixels(const QRect &twips, qreal logicalDpiX, qreal logicalDpiY);

} // namespace KeyboardGeometry
