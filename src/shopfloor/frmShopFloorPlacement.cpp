#include "frmShopFloorPlacement.h"

#include "CRegSettings.h"

#include <cmath>

namespace {

const QString kSection = QStringLiteral("Defaults");

bool WholeNumber(const QVariant &v, int *out)
{
    if (!v.isValid() || v.isNull())
        return false;
    bool ok = false;
    const QString text = v.toString().trimmed();
    const int n = text.toInt(&ok);
    if (!ok)
        return false;
    *out = n;
    return true;
}

} // namespace

int ViewStateFromSetting(const QVariant &stored)
{
    int n = ViewMaximised;
    if (!WholeNumber(stored, &n) || n < ViewNormal || n > ViewMaximised)
        return ViewMaximised;
    return n;
}

int TwipsFromSetting(const QVariant &stored, int fallback)
{
    int n = fallback;
    return WholeNumber(stored, &n) ? n : fallback;
}

ShopFloorPlacement ReadShopFloorPlacement()
{
    ShopFloorPlacement p;
    CRegSettings reg;
    p.state = ViewStateFromSetting(reg.GetUserSetting(kSection, QStringLiteral("SFViewState"), 2));
    if (p.state == ViewNormal) {
        p.twips.setLeft(TwipsFromSetting(reg.GetUserSetting(kSection, QStringLiteral("SFViewLeft"), 1000), 1000));
        p.twips.setTop(TwipsFromSetting(reg.GetUserSetting(kSection, QStringLiteral("SFViewTop"), 1000), 1000));
        p.twips.setWidth(TwipsFromSetting(reg.GetUserSetting(kSection, QStringLiteral("SFViewWidth"), 7850), 7850));
        p.twips.setHeight(TwipsFromSetting(reg.GetUserSetting(kSection, QStringLiteral("SFViewHeight"), 5730), 5730));
    }
    return p;
}

PlacementToSave PlacementOnClose(bool visible, int state, const QRectF &outerTwips)
{
    PlacementToSave s;
    if (!visible || state == ViewMinimised)
        return s;
    s.saveState = true;
    s.state = state;
    if (state == ViewNormal) {
        s.saveGeometry = true;
        s.twips = QRect(int(std::lround(outerTwips.left())), int(std::lround(outerTwips.top())),
                        int(std::lround(outerTwips.width())), int(std::lround(outerTwips.height())));
    }
    return s;
}

void SaveShopFloorPlacement(const PlacementToSave &save)
{
    if (!save.saveState)
        return;
    CRegSettings reg;
    reg.SaveUserSetting(kSection, QStringLiteral("SFViewState"), save.state);
    if (!save.saveGeometry)
        return;
    reg.SaveUserSetting(kSection, QStringLiteral("SFViewLeft"), save.twips.left());
    reg.SaveUserSetting(kSection, QStringLiteral("SFViewTop"), save.twips.top());
    reg.SaveUserSetting(kSection, QStringLiteral("SFViewWidth"), save.twips.width());
    reg.SaveUserSetting(kSection, QStringLiteral("SFViewHeight"), save.twips.height());
}
