#include "Twips.h"

#include <algorithm>
#include <cmath>

int TwipsToPixels(double twips, double dpi)
{
    return int(std::lround(twips * dpi / 1440.0));
}

int PixelsToTwips(double pixels, double dpi)
{
    if (dpi <= 0)
        return 0;
    return int(std::lround(pixels * 1440.0 / dpi));
}

QRect TwipsToPixels(const QRect &twips, double dpi)
{
    const int left = TwipsToPixels(twips.x(), dpi);
    const int top = TwipsToPixels(twips.y(), dpi);
    const int right = TwipsToPixels(double(twips.x()) + twips.width(), dpi);
    const int bottom = TwipsToPixels(double(twips.y()) + twips.height(), dpi);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

QRect PixelsToTwips(const QRect &pixels, double dpi)
{
    return QRect(PixelsToTwips(pixels.x(), dpi), PixelsToTwips(pixels.y(), dpi),
                 PixelsToTwips(pixels.width(), dpi), PixelsToTwips(pixels.height(), dpi));
}
