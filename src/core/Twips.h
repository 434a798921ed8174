#pragma once

#include <QRect>

// Twips (1440 per inch), in which the windows' geometry is given and stored,
// and pixels at `dpi` logical dots per inch; rounded to the nearest whole
// unit, halves away from zero. Pixels to twips gives 0 for a dpi of 0 or less.
int TwipsToPixels(double twips, double dpi);
int PixelsToTwips(double pixels, double dpi);

// A rectangle by its edges, so that neighbours 10 twips apart never overlap;
// back by its position and size.
QRect TwipsToPixels(const QRect &twips, double dpi);
QRect PixelsToTwips(const QRect &pixels, double dpi);
