#include "StationCellStyle.h"

StationCellStyle StationCellStyleFor(bool enabled, bool selected, int row)
{
    StationCellStyle s;
    s.locked = !enabled;
    if (selected) {
        s.background = QPalette::Highlight;
        s.foreground = QPalette::HighlightedText;
    } else if (!enabled) {
        s.background = QPalette::Button;
    } else if (row % 2 != 0) {
        s.background = QPalette::NoRole;
        s.custom = AlternateRowColour();
    }
    return s;
}
