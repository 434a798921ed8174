#pragma once

#include <QColor>
#include <QPalette>

// How a cell of columns 1 to 4 of the machines grid is drawn and whether its
// value can be changed, from its row alone.
struct StationCellStyle {
    bool locked = false;
    // A system colour, or `custom` when background is QPalette::NoRole.
    QPalette::ColorRole background = QPalette::Base;
    QColor custom;
    QPalette::ColorRole foreground = QPalette::Text;
};

// Odd enabled rows: RGB (226, 226, 197).
inline QColor AlternateRowColour() { return QColor(226, 226, 197); }

// `row` counts from 0; the colour follows the row number, not how many
// enabled rows come before it. Number and Name columns are never editable,
// whatever this says.
StationCellStyle StationCellStyleFor(bool enabled, bool selected, int row);
