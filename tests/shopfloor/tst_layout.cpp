#include "ShopFloorLayout.h"

#include <QtTest>

using namespace ShopFloorLayout;

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void minimumOuterSize_data();
    void minimumOuterSize();
    void picFiles_data();
    void picFiles();
    void clampSplitter_data();
    void clampSplitter();
    void panelLayout();
    void shadow_data();
    void shadow();
    void fileRow_data();
    void fileRow();
    void fileRowTooNarrowLeavesRow();
    void middleButton();
    void pixels_data();
    void pixels();
    void adjacentRectsDoNotOverlap();
};

void TestLayout::minimumOuterSize_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("both too small") << QSize(9000, 4000) << QSize(10000, 4950);
    QTest::newRow("only low") << QSize(12000, 4949) << QSize(12000, 4950);
    QTest::newRow("large enough") << QSize(10000, 4950) << QSize(10000, 4950);
}

void TestLayout::minimumOuterSize()
{
    QFETCH(QSize, outer);
    QFETCH(QSize, expected);
    QCOMPARE(MinimumOuterSize(outer), expected);
}

void TestLayout::picFiles_data()
{
    QTest::addColumn<int>("innerWidth");
    QTest::addColumn<int>("innerHeight");
    QTest::addColumn<int>("toolbar");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("normal") << 19200 << 11000 << 1300 << QRect(0, 1320, 19200, 9680);
    QTest::newRow("minimised") << 19200 << 0 << 1300 << QRect(0, 1320, 19200, 100);
    QTest::newRow("exactly 100") << 10000 << 1420 << 1300 << QRect(0, 1320, 10000, 100);
}

void TestLayout::picFiles()
{
    QFETCH(int, innerWidth);
    QFETCH(int, innerHeight);
    QFETCH(int, toolbar);
    QFETCH(QRect, expected);
    QCOMPARE(PicFilesRect(innerWidth, innerHeight, toolbar), expected);
}

void TestLayout::clampSplitter_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<int>("expected");
    QTest::newRow("default") << SplitterDefault << 19200 << 4500;
    QTest::newRow("1000 -> 3000") << 1000 << 19200 << 3000;
    QTest::newRow("8000 -> 6000 at 9000") << 8000 << 9000 << 6000;
    QTest::newRow("8000 -> 6000 wide") << 8000 << 19200 << 6000;
    QTest::newRow("5500 at 8000 -> 5000") << 5500 << 8000 << 5000;
    QTest::newRow("narrow beats minimum") << 1000 << 5000 << 2000;
    QTest::newRow("within") << 4000 << 12000 << 4000;
}

void TestLayout::clampSplitter()
{
    QFETCH(int, stored);
    QFETCH(int, windowWidth);
    QFETCH(int, expected);
    QCOMPARE(ClampSplitter(stored, windowWidth), expected);
    QCOMPARE(PlaceSplitter(stored, windowWidth, windowWidth).x, expected);
}

void TestLayout::panelLayout()
{
    // Default splitter on a panel 15000 x 8000.
    const PanelLayout l = LayoutPanel(15000, 8000, 15000, SplitterDefault);
    QCOMPARE(l.splitter.x, 4500);
    QCOMPARE(l.tree, QRect(50, 0, 4450, 6780));
    QCOMPARE(l.bar, QRect(4510, 0, 75, 6780));
    QCOMPARE(l.grid.left(), 4595);
    QCOMPARE(l.grid.left() + l.grid.width(), 15000 - 60);
    QCOMPARE(l.grid.height(), l.tree.height());
    QCOMPARE(l.actionFrame, QRect(50, 6800, 3270, 1200));
    QCOMPARE(l.fileFrame, QRect(3340, 6800, 15000 - 3330, 1200));

    // A panel of the minimum height gives nothing negative.
    const PanelLayout low = LayoutPanel(15000, 100, 15000, SplitterDefault);
    QCOMPARE(low.tree.height(), 0);
    QCOMPARE(low.actionFrame.top(), 20);
}

void TestLayout::shadow_data()
{
    QTest::addColumn<int>("pointer");
    QTest::addColumn<int>("outerWidth");
    QTest::addColumn<int>("expected");
    QTest::newRow("free") << 4000 << 19200 << 4000;
    QTest::newRow("beyond 6000") << 7000 << 19200 << 6000;
    QTest::newRow("below 3000") << 100 << 19200 << 3000;
    QTest::newRow("narrow window") << 5800 << 8500 << 5500;
    QTest::newRow("6000 bound first") << 6500 << 9000 << 6000;
}

void TestLayout::shadow()
{
    QFETCH(int, pointer);
    QFETCH(int, outerWidth);
    QFETCH(int, expected);
    QCOMPARE(ShadowLeft(pointer, outerWidth), expected);
    QCOMPARE(ShadowWidth(75), 37);
    QCOMPARE(ShadowHeight(6780), 6760);
}

void TestLayout::fileRow_data()
{
    QTest::addColumn<int>("frameWidth");
    QTest::addColumn<bool>("hasMiddle");
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<int>("keyboardLeft");
    QTest::addColumn<int>("middleLeft");
    QTest::addColumn<int>("goLeft");
    QTest::addColumn<int>("closeLeft");
    // Label 1215 wide: need = 600 + 1215 + 3 * 840 = 4335, or 5275 with a middle button.
    QTest::newRow("no middle") << 12000 << false << 7665 << 9180 << -1 << 10120 << 11060;
    QTest::newRow("middle") << 12000 << true << 6725 << 8240 << 9180 << 10120 << 11060;
    QTest::newRow("exactly 240") << 4575 << false << 240 << 1755 << -1 << 2695 << 3635;
}

void TestLayout::fileRow()
{
    QFETCH(int, frameWidth);
    QFETCH(bool, hasMiddle);
    QFETCH(int, textWidth);
    QFETCH(int, keyboardLeft);
    QFETCH(int, middleLeft);
    QFETCH(int, goLeft);
    QFETCH(int, closeLeft);
    FileRowInput in;
    in.frameWidth = frameWidth;
    in.labelWidth = 1215;
    in.hasMiddle = hasMiddle;
    FileRowLayout out;
    QVERIFY(LayoutFileRow(in, &out));
    QCOMPARE(out.labelLeft, 100);
    QCOMPARE(out.textLeft, 1415);
    QCOMPARE(out.textWidth, textWidth);
    QCOMPARE(out.keyboardLeft, keyboardLeft);
    QCOMPARE(out.middleLeft, middleLeft);
    QCOMPARE(out.goLeft, goLeft);
    QCOMPARE(out.closeLeft, closeLeft);
    // The row ends 100 before the frame's right edge.
    QCOMPARE(out.closeLeft + TouchSize + 100, frameWidth);
}

void TestLayout::fileRowTooNarrowLeavesRow()
{
    FileRowInput in;
    in.frameWidth = 4335 + 239;
    in.labelWidth = 1215;
    FileRowLayout out;
    out.textWidth = 777;
    QVERIFY(!LayoutFileRow(in, &out));
    QCOMPARE(out.textWidth, 777);
}

void TestLayout::middleButton()
{
    QCOMPARE(ChooseMiddleButton(true, true), MiddleButton::Edit);
    QCOMPARE(ChooseMiddleButton(true, false), MiddleButton::Edit);
    QCOMPARE(ChooseMiddleButton(false, true), MiddleButton::View);
    QCOMPARE(ChooseMiddleButton(false, false), MiddleButton::None);
}

void TestLayout::pixels_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("inch at 96") << 1440.0 << 96.0 << 96;
    QTest::newRow("touch at 144") << 840.0 << 144.0 << 84;
    QTest::newRow("half pixel up") << 7.5 << 96.0 << 1;
    QTest::newRow("bar at 96") << 75.0 << 96.0 << 5;
}

void TestLayout::pixels()
{
    QFETCH(double, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips, dpi), pixels);
    QCOMPARE(PixelsToTwips(96, 96), 1440);
}

void TestLayout::adjacentRectsDoNotOverlap()
{
    // Tree ends at x, the bar starts 10 later: in pixels they may touch, never overlap.
    for (int x = 3000; x <= 6000; x += 7) {
        const PanelLayout l = LayoutPanel(15000, 8000, 15000, x);
        const QRect tree = TwipsToPixels(l.tree, 96);
        const QRect bar = TwipsToPixels(l.bar, 96);
        const QRect grid = TwipsToPixels(l.grid, 96);
        QVERIFY2(tree.right() < bar.left(), qPrintable(QString::number(x)));
        QVERIFY2(bar.right() < grid.left(), qPrintable(QString::number(x)));
    }
}

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
