#include "ShopFloorLayout.h"

#include <algorithm>
#include <cmath>

namespace ShopFloorLayout {

QSize MinimumOuterSize(const QSize &outer)
{
    return QSize(std::max(outer.width(), MinOuterWidth), std::max(outer.height(), MinOuterHeight));
}

QRect PicFilesRect(int innerWidth, int innerHeight, int toolbarHeight)
{
    const int height = std::max(innerHeight - toolbarHeight - Gap, MinPanelHeight);
    return QRect(0, toolbarHeight + Gap, std::max(innerWidth, 0), height);
}

int ClampSplitter(int x, int windowInnerWidth)
{
    if (x < SplitterMin)
        x = SplitterMin;
    if (windowInnerWidth - SplitterMargin < x)
        x = windowInnerWidth - SplitterMargin;
    if (x > SplitterMax)
        x = SplitterMax;
    return x;
}

SplitterPlacement PlaceSplitter(int x, int panelWidth, int windowInnerWidth, int barWidth)
{
    SplitterPlacement p;
    p.x = ClampSplitter(x, windowInnerWidth);
    p.treeWidth = std::max(p.x - TreeLeft, 0);
    p.gridWidth = std::max(panelWidth - p.x - barWidth - 80, 0);
    p.treeLeft = TreeLeft;
    p.barLeft = p.x + 10;
    p.barWidth = barWidth;
    p.gridLeft = p.barLeft + barWidth + 10;
    return p;
}

PanelLayout LayoutPanel(int panelWidth, int panelHeight, int windowInnerWidth, int storedSplitter,
                        int fileFrameHeight, int actionFrameWidth, int actionFrameHeight)
{
    PanelLayout l;
    // A control cannot be made smaller than nothing; the old layout refused
    // the negative height and left the tree as it was.
    const int treeHeight = std::max(panelHeight - Gap - fileFrameHeight, 0);
    l.splitter = PlaceSplitter(storedSplitter, panelWidth, windowInnerWidth);
    const SplitterPlacement &s = l.splitter;
    l.tree = QRect(s.treeLeft, 0, s.treeWidth, treeHeight);
    l.grid = QRect(s.gridLeft, 0, s.gridWidth, treeHeight);
    l.bar = QRect(s.barLeft, 0, s.barWidth, treeHeight);
    l.actionFrame = QRect(l.tree.x(), treeHeight + Gap, actionFrameWidth, actionFrameHeight);
    l.fileFrame = QRect(l.actionFrame.x() + actionFrameWidth + Gap, l.actionFrame.y(),
                        std::max(panelWidth - actionFrameWidth - 60, 0), fileFrameHeight);
    return l;
}

int ShadowWidth(int barWidth)
{
    return barWidth / 2;
}

int ShadowHeight(int barHeight)
{
    return std::max(barHeight - 20, 0);
}

int ShadowLeft(int p, int windowOuterWidth)
{
    if (p < SplitterMin)
        return SplitterMin;
    if (p > SplitterMax)
        return SplitterMax;
    if (windowOuterWidth - SplitterMargin < p)
        return windowOuterWidth - SplitterMargin;
    return p;
}

MiddleButton ChooseMiddleButton(bool editVisible, bool viewVisible)
{
    if (editVisible)
        return MiddleButton::Edit;
    if (viewVisible)
        return MiddleButton::View;
    return MiddleButton::None;
}

int FileRowNeed(const FileRowInput &in)
{
    const int buttons = in.goWidth + in.closeWidth + in.keyboardWidth;
    if (in.hasMiddle)
        return 700 + in.labelWidth + in.middleWidth + buttons;
    return 600 + in.labelWidth + buttons;
}

bool LayoutFileRow(const FileRowInput &in, FileRowLayout *out)
{
    const int need = FileRowNeed(in);
    if (need + MinTextWidth > in.frameWidth)
        return false;
    FileRowLayout r;
    r.labelLeft = 100;
    r.textLeft = r.labelLeft + in.labelWidth + 100;
    r.textWidth = in.frameWidth - need;
    r.keyboardLeft = r.textLeft + r.textWidth + 100;
    int next = r.keyboardLeft + in.keyboardWidth + 100;
    if (in.hasMiddle) {
        r.middleLeft = next;
        next += in.middleWidth + 100;
    }
    r.goLeft = next;
    r.closeLeft = r.goLeft + in.goWidth + 100;
    *out = r;
    return true;
}

} // namespace ShopFloorLayout
