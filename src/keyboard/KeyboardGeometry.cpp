#include "KeyboardGeometry.h"

#include <QtMath>

namespace KeyboardGeometry {

namespace {

constexpr int KeyWidth = 750;
constexpr int WideKeyWidth = 1125;

constexpr int Row1Top = 285;
constexpr int Row2Top = 1131;
constexpr int Row3Top = 1977;
constexpr int Row4Top = 2823;
constexpr int Row5Top = 3669;
constexpr int Row6Top = 4515;

QRect Key(int left, int top, int width = KeyWidth)
{
    return QRect(left, top, width, KeyHeight);
}

} // namespace

QSize ClientSizeTwips()
{
    return QSize(11415, 5385);
}

QRect KeyRectTwips(int index)
{
    if (index >= 0 && index <= 12)
        return Key(120 + 801 * index, Row1Top);
    if (index == 13)
        return Key(10545, Row1Top);
    if (index >= 14 && index <= 24)
        return Key(495 + 797 * (index - 14), Row2Top);
    if (index == 25)
        return Key(9270, Row2Top);
    if (index >= 26 && index <= 36)
        return Key(921 + 801 * (index - 26), Row3Top);
    if (index == 37)
        return Key(120, Row4Top, WideKeyWidth);
    if (index >= 38 && index <= 46)
        return Key(1292 + 797 * (index - 38), Row4Top);
    if (index == 47)
        return Key(9270, Row4Top, WideKeyWidth);
    if (index == 48)
        return Key(2400, Row5Top, 6615);
    return QRect();
}

QRect EntryLineRectTwips()
{
    return Key(135, Row6Top, 8415);
}

QRect OkRectTwips()
{
    return Key(8880, Row6Top, 1110);
}

QRect CancelRectTwips()
{
    return Key(10185, Row6Top, 1110);
}

QRect TwipsToPixels(const QRect &twips, qreal logicalDpiX, qreal logicalDpiY)
{
    return QRect(::TwipsToPixels(twips.x(), logicalDpiX), ::TwipsToPixels(twips.y(), logicalDpiY),
                 ::TwipsToPixels(twips.width(), logicalDpiX),
                 ::TwipsToPixels(twips.height(), logicalDpiY));
}

} // namespace KeyboardGeometry
