#include "ShopFloorLayout.h"

#include <QtTest>

using namespace ShopFloorLayout;

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    // The stored splitter is bounded by the window's inner width, the drag
    // shadow by its outer width.
    void clamps_data()
    {
        QTest::addColumn<bool>("shadow");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<int>("expected");
        QTest::newRow("8000 -> 6000 in a wide window") << false << 8000 << 19200 << 6000;
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
        // Never below 100, however small the inner height (minimised), and nothing negative in it.
        QCOMPARE(PicFilesRect(19200, 0, 1300).height(), 100);
        const PanelLayout low = LayoutPanel(15000, 100, 15000, SplitterDefault);
        QCOMPARE(low.tree.height(), 0);
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
        // text width, then the left edges of keyboard, middle, Go and Close
        QTest::addColumn<QList<int>>("expected");
        // Label 1215 wide, with a middle button: need = 600 + 1215 + 4 * 840 + 100 = 5275.
        QTest::newRow("exactly 240") << 5515 << QList<int>{240, 1755, 2695, 3635, 4575};
        QTest::newRow("too narrow: the row stays") << 5514 << QList<int>{777};
    }
    void fileRow()
    {
        QFETCH(int, frameWidth);
        QFETCH(QList<int>, expected);
        FileRowInput in;
        in.frameWidth = frameWidth;
        in.labelWidth = 1215;
        in.hasMiddle = true;
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
