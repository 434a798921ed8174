#pragma once

#include "Twips.h"

#include <QRect>
#include <QSize>

// Geometry of the station window, in twips (1/1440 inch). Everything here is
// plain arithmetic; widgets convert to pixels at the edge with TwipsToPixels.
namespace ShopFloorLayout {

// Fixed sizes of the window's controls. The 840-twip buttons and text box are
// sized for gloved fingers on a touch screen.
constexpr int MinOuterWidth = 10000;
constexpr int MinOuterHeight = 4950;
constexpr int MinPanelHeight = 100;       // picFiles, however small the window
constexpr int Gap = 20;                   // toolbar to panel, tree to frames, frame to frame
constexpr int FrameHeight = 1200;         // fraAction and fraFile
constexpr int ActionFrameWidth = 3270;    // fraAction
constexpr QRect ActionToolbarRect{200, 225, 2865, 600}; // tbAction inside fraAction
constexpr int TouchSize = 840;            // cmdKeyboard, cmdEdit, cmdView, cmdGo, cmdClose; txtFile height
constexpr int RowTop = 225;               // top of txtFile and the buttons inside fraFile
constexpr int LabelTop = 300;             // lblFile
constexpr int LabelHeight = 375;
constexpr double LabelPointSize = 12.0;   // lblFile
constexpr double TextPointSize = 13.5;    // txtFile
constexpr int SplitterWidth = 75;         // VSplitter
constexpr int SplitterDefault = 4500;     // SFWizardVSplitter when nothing is stored
constexpr int SplitterMin = 3000;
constexpr int SplitterMax = 6000;
constexpr int SplitterMargin = 3000;      // the tree ends at least this far from the window's right edge
constexpr int TreeLeft = 50;
constexpr int MinTextWidth = 240;         // txtFile is never laid out narrower

// The outer window size grown to at least MinOuterWidth x MinOuterHeight.
QSize MinimumOuterSize(const QSize &outer);

// picFiles inside the window: left 0, below the machine toolbar, full inner
// width, height = innerHeight - toolbarHeight - 20 but never below 100.
QRect PicFilesRect(int innerWidth, int innerHeight, int toolbarHeight);

// PlaceSplitter's three clamps, in their order: at least 3000, at most
// windowInnerWidth - 3000, at most 6000 (the last wins on narrow windows).
int ClampSplitter(int x, int windowInnerWidth);

// Horizontal placement of tree, bar and grid for a clamped splitter x inside
// a panel `panelWidth` wide: tree 50..x, bar from x + 10, grid 10 after the bar
// and 60 short of the panel's right edge.
struct SplitterPlacement {
    int x = 0;              // clamped value, what gets stored
    int treeLeft = 0, treeWidth = 0;
    int barLeft = 0, barWidth = 0;
    int gridLeft = 0, gridWidth = 0;
};
SplitterPlacement PlaceSplitter(int x, int panelWidth, int windowInnerWidth,
                                int barWidth = SplitterWidth);

// Everything inside picFiles for one panel resize. `storedSplitter` is the
// value read from SFWizardVSplitter just before. Sizes are never negative.
struct PanelLayout {
    SplitterPlacement splitter;
    QRect tree, bar, grid;
    QRect actionFrame, fileFrame;
};
PanelLayout LayoutPanel(int panelWidth, int panelHeight, int windowInnerWidth, int storedSplitter,
                        int fileFrameHeight = FrameHeight, int actionFrameWidth = ActionFrameWidth,
                        int actionFrameHeight = FrameHeight);

// The drag shadow: half the bar's width (37 for 75), 20 shorter than the bar.
int ShadowWidth(int barWidth);
int ShadowHeight(int barHeight);
// Where the shadow goes for the pointer at panel position p: 3000..6000, and
// not beyond the window's outer width - 3000.
int ShadowLeft(int p, int windowOuterWidth);

// Which button sits between cmdKeyboard and cmdGo: cmdEdit when shown, else
// cmdView when shown, else none (cmdView keeps its place when both are shown).
enum class MiddleButton { None, Edit, View };
MiddleButton ChooseMiddleButton(bool editVisible, bool viewVisible);

// Widths that the file-name row is laid out from; middleWidth counts only
// when hasMiddle.
struct FileRowInput {
    int frameWidth = 0;     // fraFile
    int labelWidth = 0;     // lblFile
    int keyboardWidth = TouchSize;
    bool hasMiddle = false;
    int middleWidth = TouchSize;
    int goWidth = TouchSize;
    int closeWidth = TouchSize;
};
// Left edges (and the text box's width) inside fraFile; middleLeft is -1
// without a middle button.
struct FileRowLayout {
    int labelLeft = 0;
    int textLeft = 0, textWidth = 0;
    int keyboardLeft = 0;
    int middleLeft = -1;
    int goLeft = 0;
    int closeLeft = 0;
};
// The room the row needs besides the text box (100 between neighbours and at
// both ends).
int FileRowNeed(const FileRowInput &in);
// False when the text box would get less than 240: then nothing in the row
// moves and `out` is untouched.
bool LayoutFileRow(const FileRowInput &in, FileRowLayout *out);

} // namespace ShopFloorLayout
