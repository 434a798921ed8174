#include <QtTest>

#include "ActionAvailability.h"
#include "MachineToolbar.h"
#include "frmShopFloorPlacement.h"

// Rules of the station window that need no window: stored placement, which
// actions a machine allows, Edit/View visibility, machine captions and icons.
class tst_ShopFloorRules : public QObject
{
    Q_OBJECT
private slots:
    void viewStateFromSetting_data();
    void viewStateFromSetting();
    void placementOnClose_data();
    void placementOnClose();
    void actionsForCommandType_data();
    void actionsForCommandType();
    void editViewVisibility_data();
    void editViewVisibility();
    void machineIcon_data();
    void machineIcon();
    void machineCaptionKeepsTextsAsStored();
};

void tst_ShopFloorRules::viewStateFromSetting_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("missing") << QVariant() << 2;
    QTest::newRow("0") << QVariant(0) << 0;
    QTest::newRow("1") << QVariant(1) << 1;
    QTest::newRow("2") << QVariant(2) << 2;
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
    QTest::addColumn<bool>("saveGeometry");
    QTest::addColumn<QRect>("twips");
    const QRectF outer(1000.4, 999.6, 7850.5, 5729.49);
    QTest::newRow("never shown") << false << 0 << false << false << QRect();
    QTest::newRow("minimised") << true << 1 << false << false << QRect();
    QTest::newRow("maximised") << true << 2 << true << false << QRect();
    QTest::newRow("normal, rounded to whole twips")
        << true << 0 << true << true << QRect(1000, 1000, 7851, 5729);
}

void tst_ShopFloorRules::placementOnClose()
{
    QFETCH(bool, visible);
    QFETCH(int, state);
    QFETCH(bool, saveState);
    QFETCH(bool, saveGeometry);
    QFETCH(QRect, twips);
    const PlacementToSave s =
        PlacementOnClose(visible, state, QRectF(1000.4, 999.6, 7850.5, 5729.49));
    QCOMPARE(s.saveState, saveState);
    QCOMPARE(s.saveGeometry, saveGeometry);
    if (saveState)
        QCOMPARE(s.state, state);
    if (saveGeometry)
        QCOMPARE(s.twips, twips);
}

void tst_ShopFloorRules::actionsForCommandType_data()
{
    QTest::addColumn<int>("cmdType");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("receive");
    QTest::addColumn<int>("first");
    QTest::newRow("send") << 0 << true << true << false << 1;
    QTest::newRow("receive") << 1 << true << false << true << 2;
    QTest::newRow("both") << 2 << true << true << true << 1;
    QTest::newRow("3 keeps the previous machine") << 3 << false << false << false << 0;
    QTest::newRow("-1 keeps the previous machine") << -1 << false << false << false << 0;
}

void tst_ShopFloorRules::actionsForCommandType()
{
    QFETCH(int, cmdType);
    QFETCH(bool, known);
    QFETCH(bool, send);
    QFETCH(bool, receive);
    QFETCH(int, first);
    const ActionAvailability a = ActionsForCommandType(cmdType);
    QCOMPARE(a.known, known);
    QCOMPARE(a.sendEnabled, send);
    QCOMPARE(a.receiveEnabled, receive);
    QCOMPARE(a.firstButton, first);
}

void tst_ShopFloorRules::editViewVisibility_data()
{
    QTest::addColumn<bool>("editor");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<bool>("view");
    QTest::newRow("no editor, edit mode") << false << 2 << true << false << false;
    QTest::newRow("no editor, odd mode") << false << 9 << true << false << false;
    QTest::newRow("none") << true << 0 << true << false << false;
    QTest::newRow("view only") << true << 1 << true << false << true;
    QTest::newRow("edit") << true << 2 << true << true << false;
    QTest::newRow("odd mode leaves the buttons") << true << 3 << false << false << false;
}

void tst_ShopFloorRules::editViewVisibility()
{
    QFETCH(bool, editor);
    QFETCH(int, mode);
    QFETCH(bool, changes);
    QFETCH(bool, edit);
    QFETCH(bool, view);
    const auto v = EditViewFor(editor, mode);
    QCOMPARE(v.has_value(), changes);
    if (v) {
        QCOMPARE(v->edit, edit);
        QCOMPARE(v->view, view);
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

void tst_ShopFloorRules::machineCaptionKeepsTextsAsStored()
{
    QCOMPARE(MachineCaption(QStringLiteral(" 07"), QStringLiteral("Lathe ")),
             QStringLiteral(" 07 - Lathe "));
}

QTEST_MAIN(tst_ShopFloorRules)
#include "tst_shopfloor_rules.moc"
