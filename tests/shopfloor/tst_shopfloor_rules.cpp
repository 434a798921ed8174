#include <QtTest>

#include "ActionAvailability.h"
#include "MachineToolbar.h"
#include "frmShopFloorPlacement.h"

// Rules of the station window that its own test cannot reach: stored values
// of no meaning, odd modes, icons out of range.
class tst_ShopFloorRules : public QObject
{
    Q_OBJECT
private slots:
    void viewStateFromSetting_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << 0;
        QTest::newRow("not a number") << QVariant(QStringLiteral("normal")) << 2;
    }
    void viewStateFromSetting()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        QCOMPARE(ViewStateFromSetting(stored), expected);
    }

    void oddEditModeLeavesButtons() { QVERIFY(!EditViewFor(true, 3)); }

    void machineIcon()
    {
        for (const auto &[index, resource] : {std::pair{1, "MACH1"}, {31, "MACH31"}, {0, "MACH_GENERIC"},
                                              {32, "MACH_GENERIC"}, {-4, "MACH_GENERIC"}}) {
            const QString path = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(resource));
            QCOMPARE(MachineIconResource(index), path);
            QVERIFY2(QFile::exists(path), qPrintable(path));
        }
    }
};

QTEST_MAIN(tst_ShopFloorRules)
#include "tst_shopfloor_rules.moc"
