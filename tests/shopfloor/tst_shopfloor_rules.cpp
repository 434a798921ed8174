#include <QtTest>

#include "ActionAvailability.h"
#include "MachineToolbar.h"
#include "frmShopFloorPlacement.h"

// Rules of the station window that need no window: stored placement,
// Edit/View visibility, machine icons.
class tst_ShopFloorRules : public QObject
{
    Q_OBJECT
private slots:
    void viewStateFromSetting_data();
    void viewStateFromSetting();
    void placementOnClose_data();
    void placementOnClose();
    void editViewVisibility_data();
    void editViewVisibility();
    void machineIcon_data();
    void machineIcon();
};

void tst_ShopFloorRules::viewStateFromSetting_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("missing") << QVariant() << 2;
    QTest::newRow("0") << QVariant(0) << 0;
    QTest::newRow("1") << QVariant(1) << 1;
    QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << 0;
    QTest::newRow("not a number") << QVariant(QStringLiteral("normal")) << 2;
    QTest::newRow("3") << QVariant(3) << 2;
    QTest::newRow("-1") << QVariant(-1) << 2;
}

void tst_ShopFloorRules::viewStateFromSetting()
{
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    QCOMPARE(ViewStateFromSetting(stored), expected);
}

void tst_ShopFloorRules::placementOnClose_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("saveState");
    QTest::addColumn<QRect>("twips"); // null: no geometry saved
    QTest::newRow("never shown") << false << 0 << false << QRect();
    QTest::newRow("minimised") << true << 1 << false << QRect();
    QTest::newRow("maximised") << true << 2 << true << QRect();
    QTest::newRow("normal, rounded to whole twips") << true << 0 << true << QRect(1000, 1000, 7851, 5729);
}

void tst_ShopFloorRules::placementOnClose()
{
    QFETCH(bool, visible);
    QFETCH(int, state);
    QFETCH(bool, saveState);
    QFETCH(QRect, twips);
    const PlacementToSave s = PlacementOnClose(visible, state, QRectF(1000.4, 999.6, 7850.5, 5729.49));
    QCOMPARE(s.saveState, saveState);
    QCOMPARE(s.saveGeometry, !twips.isNull());
    if (saveState)
        QCOMPARE(s.state, state);
    if (s.saveGeometry)
        QCOMPARE(s.twips, twips);
}

void tst_ShopFloorRules::editViewVisibility_data()
{
    QTest::addColumn<bool>("editor");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("shown"); // "-": the buttons stay as they are
    // Modes 0 to 2 are driven through the window's own test.
    QTest::newRow("no editor, odd mode") << false << 9 << "";
    QTest::newRow("view only") << true << 1 << "view";
    QTest::newRow("odd mode leaves the buttons") << true << 3 << "-";
}

void tst_ShopFloorRules::editViewVisibility()
{
    QFETCH(bool, editor);
    QFETCH(int, mode);
    QFETCH(QString, shown);
    const auto v = EditViewFor(editor, mode);
    QCOMPARE(v.has_value(), shown != QLatin1String("-"));
    if (v) {
        QCOMPARE(v->edit, shown == QLatin1String("edit"));
        QCOMPARE(v->view, shown == QLatin1String("view"));
    }
}

void tst_ShopFloorRules::machineIcon_data()
{
    QTest::addColumn<int>("iconIndex");
    QTest::addColumn<QString>("resource");
    QTest::newRow("1") << 1 << ":/icons/MACH1.svg";
    QTest::newRow("31") << 31 << ":/icons/MACH31.svg";
    QTest::newRow("0") << 0 << ":/icons/MACH_GENERIC.svg";
    QTest::newRow("32") << 32 << ":/icons/MACH_GENERIC.svg";
    QTest::newRow("negative") << -4 << ":/icons/MACH_GENERIC.svg";
}

void tst_ShopFloorRules::machineIcon()
{
    QFETCH(int, iconIndex);
    QFETCH(QString, resource);
    QCOMPARE(MachineIconResource(iconIndex), resource);
    QVERIFY2(QFile::exists(resource), qPrintable(resource));
    QVERIFY(!MachineIcon(iconIndex).isNull());
}

QTEST_MAIN(tst_ShopFloorRules)
#include "tst_shopfloor_rules.moc"
