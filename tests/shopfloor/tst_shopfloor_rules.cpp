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
    void viewStateFromSetting_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << QVariant() << 2;
        QTest::newRow("0") << QVariant(0) << 0;
        QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << 0;
        QTest::newRow("not a number") << QVariant(QStringLiteral("normal")) << 2;
        QTest::newRow("3") << QVariant(3) << 2;
    }
    void viewStateFromSetting()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        QCOMPARE(ViewStateFromSetting(stored), expected);
    }

    void placementOnClose_data()
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
    void placementOnClose()
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

    // Modes 0 to 2 with an editor are driven through the window's own test.
    void editViewVisibility()
    {
        const auto none = EditViewFor(false, 9), view = EditViewFor(true, 1);
        QVERIFY(none && !none->edit && !none->view);
        QVERIFY(view && !view->edit && view->view);
        QVERIFY(!EditViewFor(true, 3)); // an odd mode leaves the buttons as they are
    }

    void machineIcon()
    {
        for (const auto &[index, resource] : {std::pair{1, "MACH1"}, {31, "MACH31"}, {0, "MACH_GENERIC"},
                                              {32, "MACH_GENERIC"}, {-4, "MACH_GENERIC"}}) {
            const QString path = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(resource));
            QCOMPARE(MachineIconResource(index), path);
            QVERIFY2(QFile::exists(path), qPrintable(path));
            QVERIFY(!MachineIcon(index).isNull());
        }
    }
};

QTEST_MAIN(tst_ShopFloorRules)
#include "tst_shopfloor_rules.moc"
