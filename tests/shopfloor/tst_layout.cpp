#include "ShopFloorLayout.h"

#include <QtTest>

using namespace ShopFloorLayout;

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void windowAndPanel()
    {
        QCOMPARE(MinimumOuterSize(QSize(9000, 4000)), QSize(10000, 4950));
        QCOMPARE(MinimumOuterSize(QSize(12000, 4949)), QSize(12000, 4950));
        QCOMPARE(PicFilesRect(19200, 11000, 1300), QRect(0, 1320, 19200, 9680));
        // Never below 100, however small the inner height (minimised).
        QCOMPARE(PicFilesRect(19200, 0, 1300), QRect(0, 1320, 19200, 100));
        // Half a pixel rounds up.
        QCOMPARE(TwipsToPixels(7.5, 96.0), 1);
    }

    // The stored splitter is bounded by the window's inner width, the drag
    // shadow by its outer width.
    void clamps_data()
    {
        QTest::addColumn<bool>("shadow");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<int>("expected");
        QTest::newRow("1000 -> 3000") << false << 1000 << 19200 << 3000;
        QTest::newRow("8000 -> 6000 in a wide window") << false << 8000 << 19200 << 6000;
        QTest::newRow("5500 at 8000 -> 5000") << false << 5500 << 8000 << 5000;
        QTest::newRow("narrow beats minimum") << false << 1000 << 5000 << 2000;
        QTest::newRow("shadow below 3000") << true << 100 << 19200 << 3000;
        QTest::newRow("shadow, narrow window") << true << 5800 << 8500 << 5500;
        QTest::newRow("shadow beyond 6000") << true << 6500 << 19200 << 6000;
    }
    void clamps()
    {
        QFETCH(bool, shadow);
        QFETCH(int, x);
        QFETCH(int, windowWidth);
        QFETCH(int, expected);
        QCOMPARE(shadow ? ShadowLeft(x, windowWidth) : PlaceSplitter(x, windowWidth, windowWidth).x, expected);
    }

    void panelLayout()
    {
        // Default splitter on a panel 15000 x 8000: tree width 4450, bar at 4510.
        const PanelLayout l = LayoutPanel(15000, 8000, 15000, SplitterDefault);
        QVERIFY(l.tree == QRect(50, 0, 4450, 6780) && l.bar == QRect(4510, 0, 75, 6780));
        QCOMPARE(l.grid, QRect(4595, 0, 15000 - 60 - 4595, 6780));
        // A panel of the minimum height gives nothing negative.
        const PanelLayout low = LayoutPanel(15000, 100, 15000, SplitterDefault);
        QCOMPARE(low.tree.height(), 0);
        QCOMPARE(low.actionFrame.top(), 20);
        // Tree ends at x, the bar starts 10 later: in pixels they may touch, never overlap.
        for (int x = 3000; x <= 6000; x += 7) {
            const PanelLayout p = LayoutPanel(15000, 8000, 15000, x);
            const QRect tree = TwipsToPixels(p.tree, 96), bar = TwipsToPixels(p.bar, 96);
            QVERIFY2(tree.right() < bar.left() && bar.right() < TwipsToPixels(p.grid, 96).left(),
                     qPrintable(QString::number(x)));
        }
    }

    void fileRow_data()
    {
        QTest::addColumn<int>("frameWidth");
        QTest::addColumn<bool>("hasMiddle");
        // text width, then the left edges of keyboard, middle, Go and Close
        QTest::addColumn<QList<int>>("expected");
        // Label 1215 wide: need = 600 + 1215 + 3 * 840 = 4335, or 5275 with a middle button.
        QTest::newRow("middle") << 12000 << true << QList<int>{6725, 8240, 9180, 10120, 11060};
        QTest::newRow("exactly 240") << 4575 << false << QList<int>{240, 1755, -1, 2695, 3635};
        QTest::newRow("too narrow: the row stays") << 4574 << false << QList<int>{777};
    }
    void fileRow()
    {
        QFETCH(int, frameWidth);
        QFETCH(bool, hasMiddle);
        QFETCH(QList<int>, expected);
        FileRowInput in;
        in.frameWidth = frameWidth;
        in.labelWidth = 1215;
        in.hasMiddle = hasMiddle;
        FileRowLayout out;
        out.textWidth = 777;
        QCOMPARE(LayoutFileRow(in, &out), expected.size() > 1);
        QCOMPARE((QList<int>{out.textWidth, out.keyboardLeft, out.middleLeft, out.goLeft, out.closeLeft})
                     .mid(0, expected.size()), expected);
        // Only Edit takes part when both are shown.
        QCOMPARE(ChooseMiddleButton(true, true), MiddleButton::Edit);
    }

};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
