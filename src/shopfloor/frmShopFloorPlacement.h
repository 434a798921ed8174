#pragma once

#include <QRect>
#include <QVariant>

// Where the station window opens and what it leaves behind when it closes.
// Values are in twips, as the stored settings have always held them.

enum ViewState : int { ViewNormal = 0, ViewMinimised = 1, ViewMaximised = 2 };

struct ShopFloorPlacement {
    int state = ViewMaximised;
    // Outer geometry in twips; only meaningful when state is ViewNormal.
    QRect twips{1000, 1000, 7850, 5730};
};

// The stored window state as a usable value: numbers (or numeric text) 0, 1
// and 2 are taken, anything else falls back to maximised.
int ViewStateFromSetting(const QVariant &stored);
// A stored coordinate: a whole number or numeric text, else `fallback`.
int TwipsFromSetting(const QVariant &stored, int fallback);

// Reads SFViewState and, for the normal state only, the four placement values
// from the per-user section "Defaults".
ShopFloorPlacement ReadShopFloorPlacement();

// What to store when the window closes. Nothing while it was never shown or is
// minimised; otherwise the state, and the geometry too for the normal state.
struct PlacementToSave {
    bool saveState = false;
    bool saveGeometry = false;
    int state = ViewMaximised;
    QRect twips;
};
PlacementToSave PlacementOnClose(bool visible, int state, const QRectF &outerTwips);

// Writes what PlacementOnClose decided. Failed writes are not reported.
void SaveShopFloorPlacement(const PlacementToSave &save);
