#include "ShopFloorLayout.h"
#include "SplitterBar.h"

#include <QSignalSpy>
#include <QtTest>

using namespace ShopFloorLayout;

namespace {

// picFiles of a window `widthPx` wide, with the bar placed for the default
// splitter position.
struct Panel {
    QWidget window;
    QWidget *panel;
    SplitterBar *bar;
    double dpi;

    explicit Panel(int widthPx)
    {
        window.resize(widthPx, 500);
        panel = new QWidget(&window);
        panel->setGeometry(0, 0, widthPx, 500);
        bar = new SplitterBar(panel);
        dpi = bar->logicalDpiX();
        const int w = PixelsToTwips(widthPx, dpi);
        const PanelLayout l = LayoutPanel(w, PixelsToTwips(500, dpi), w, SplitterDefault);
        bar->setGeometry(TwipsToPixels(l.bar, dpi));
        window.show();
    }
    int twipsPerPixel() const { return int(1440 / dpi) + 1; }
    // A point inside the bar whose panel x is `twips`.
    QPoint at(int twips) const
    {
        return QPoint(TwipsToPixels(twips, dpi) - bar->x(), bar->height() / 2);
    }
};

} // namespace

class TestSplitter : public QObject
{
    Q_OBJECT
private slots:
    void dragClamps_data();
    void dragClamps();
    void shadowFollowsOnlyWhileDragging();
    void clickWithoutMoveKeepsPosition();
};

void TestSplitter::dragClamps_data()
{
    QTest::addColumn<int>("windowPx");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("expected");
    QTest::newRow("free") << 1200 << 4000 << 4000;
    QTest::newRow("beyond 6000") << 1200 << 9000 << 6000;
    QTest::newRow("below 3000") << 1200 << 400 << 3000;
    // 8400 twips wide at 96 dpi: nothing beyond 5400.
    QTest::newRow("narrow window") << 560 << 5900 << 5400;
}

void TestSplitter::dragClamps()
{
    QFETCH(int, windowPx);
    QFETCH(int, target);
    QFETCH(int, expected);
    Panel p(windowPx);
    QVERIFY(QTest::qWaitForWindowExposed(&p.window));
    if (windowPx < 1000 && p.dpi != 96)
        QSKIP("the narrow case is worked out for 96 dpi");
    QSignalSpy released(p.bar, &SplitterBar::released);
    const QRect barBefore = p.bar->geometry();

    QTest::mousePress(p.bar, Qt::LeftButton, {}, p.at(4500));
    QVERIFY(p.bar->isDragging());
    QTest::mouseMove(p.bar, p.at(target));
    QVERIFY(p.bar->shadow()->isVisible());
    // The shadow is bounded by the outer width, the release by the inner one.
    const int outer = PixelsToTwips(p.window.frameGeometry().width(), p.dpi);
    const int shadowExpected = ShadowLeft(target, outer);
    QVERIFY(qAbs(PixelsToTwips(p.bar->shadow()->x(), p.dpi) - shadowExpected) <= p.twipsPerPixel());
    QTest::mouseRelease(p.bar, Qt::LeftButton, {}, p.at(target));

    QCOMPARE(released.count(), 1);
    const int x = released.first().at(0).toInt();
    if (expected == target)
        QVERIFY2(qAbs(x - expected) <= p.twipsPerPixel(), qPrintable(QString::number(x)));
    else
        QCOMPARE(x, expected);
    QVERIFY(!p.bar->shadow()->isVisible());
    QVERIFY(!p.bar->isDragging());
    // Only the owner moves the bar, after storing the value.
    QCOMPARE(p.bar->geometry(), barBefore);
}

void TestSplitter::shadowFollowsOnlyWhileDragging()
{
    Panel p(1200);
    QVERIFY(QTest::qWaitForWindowExposed(&p.window));
    QTest::mouseMove(p.bar, p.at(4520));
    QVERIFY(!p.bar->shadow()->isVisible());

    QTest::mousePress(p.bar, Qt::LeftButton, {}, p.at(4520));
    // Half the bar's width, 20 twips shorter, on top of everything.
    const QRect shadow = p.bar->shadow()->geometry();
    QCOMPARE(shadow.width(), TwipsToPixels(QRect(4510, 0, 37, 100), p.dpi).width());
    QVERIFY(shadow.height() < p.bar->height());
    QCOMPARE(shadow.x(), p.bar->x());
    QCOMPARE(p.panel->children().last(), p.bar->shadow());

    QTest::mouseMove(p.bar, p.at(5000));
    const int first = p.bar->shadow()->x();
    QTest::mouseMove(p.bar, p.at(5300));
    QVERIFY(p.bar->shadow()->x() > first);
    QTest::mouseRelease(p.bar, Qt::LeftButton, {}, p.at(5300));
    QVERIFY(!p.bar->shadow()->isVisible());
}

void TestSplitter::clickWithoutMoveKeepsPosition()
{
    Panel p(1200);
    QVERIFY(QTest::qWaitForWindowExposed(&p.window));
    QSignalSpy released(p.bar, &SplitterBar::released);
    QTest::mouseClick(p.bar, Qt::LeftButton, {}, p.at(4540));
    QCOMPARE(released.count(), 0);
    QVERIFY(!p.bar->shadow()->isVisible());
}

QTEST_MAIN(TestSplitter)
#include "tst_splitter.moc"
