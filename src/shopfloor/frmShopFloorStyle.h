#pragma once

class QWidget;

// The station's look: quiet greys, one accent colour for what is chosen, and
// rows and buttons large enough for a gloved finger. Styles the window's
// client area "frmShopFloorClient".
void ApplyShopFloorStyle(QWidget *window);
