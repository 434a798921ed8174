#include "FileGridView.h"
#include "FileListFormat.h"
#include "FileListModel.h"
#include "TestSupport.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

namespace {

// A file of `size` bytes whose last write was at `utcSecs`.
void makeFile(const QString &path, qint64 size, qint64 utcSecs = 1700000000)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QVERIFY(f.resize(size));
    QVERIFY(f.setFileTime(QDateTime::fromSecsSinceEpoch(utcSecs, Qt::UTC), QFileDevice::FileModificationTime));
}

QStringList names(const FileListModel &m)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.name(r);
    return out;
}

const QLocale deDE(QLocale::German, QLocale::Germany);

} // namespace

class TestFileList : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_folder;
    QString m_part; // "PART." as listed

private slots:
    void initTestCase()
    {
        // Local time is UTC here so that the time texts are fixed.
        qputenv("TZ", "UTC");
        tzset();
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.path() + QLatin1Char('/');
        makeFile(m_folder + "O1.nc", 0, 1700000300);
        makeFile(m_folder + "O2.NC", 600, 1700000100);
        makeFile(m_folder + "O3", 1536, 1700000200);
        makeFile(m_folder + "b.txt", 2047, 1700000000);
        makeFile(m_folder + "PART.", 5000000, 1700000400);
        makeFile(m_folder + ".hidden.nc", 10);
        for (const char *folder : {"sub.nc/inner", "ext", "sort"})
            QVERIFY(QDir(m_folder).mkpath(folder));
        makeFile(m_folder + "sub.nc/.profile", 10);
        for (const char *name : {"a.nc.bak", "nc", "O1.NCX", "x.Nc"})
            makeFile(m_folder + "ext/" + name, 1);
        for (const QString &name : {QString(QChar(0xc4)) + "b", QString(QChar(0xe4)) + "a", QString("z")})
            makeFile(m_folder + "sort/" + name, 1);
        // Without symbolic links a second name lists the same way; the broken link is then simply not there.
        if (SystemHasSymbolicLinks())
            QVERIFY(MakeSymbolicLink(m_folder + "b.txt", m_folder + "link.nc")
                    && MakeSymbolicLink(m_folder + "gone", m_folder + "broken.nc"));
        else
            QVERIFY(MakeHardLink(m_folder + "b.txt", m_folder + "link.nc"));
        // Windows drops a name's last dot.
        m_part = QDir(m_folder).entryList({"PART*"}).value(0);
        // A pipe is no part program: listing it would let Send hang on it.
        QVERIFY(MakeFifo(m_folder + "pipe.nc") || !SystemHasFifos());
    }

    void fill_data()
    {
        QTest::addColumn<QString>("folder"); // below the fixture's folder; "-": none
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QStringList>("expected");
        // Names sort without regard to case; hidden files, folders, pipes and
        // broken links never appear; a link to a file does.
        QTest::newRow("all") << "" << QStringList{} << QStringList{"b.txt", "link.nc", "O1.nc", "O2.NC", "O3", m_part};
        QTest::newRow(".nc and .") << "" << QStringList{".nc", "."}
                                   << QStringList{"link.nc", "O1.nc", "O2.NC", "O3", m_part};
        // Only the last dot counts, and only a whole extension.
        QTest::newRow("extension rules") << "ext" << QStringList{".NC"} << QStringList{"x.Nc"};
        QTest::newRow("wildcard taken as it is") << "ext" << QStringList{".*.NC"} << QStringList{};
        QTest::newRow("other letters folded, after ASCII")
            << "sort" << QStringList{} << QStringList{"z", QString(QChar(0xe4)) + "a", QString(QChar(0xc4)) + "b"};
        QTest::newRow("no folder") << "-" << QStringList{} << QStringList{};
        QTest::newRow("only a folder and a hidden file") << "sub.nc" << QStringList{} << QStringList{};
    }
    void fill()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, list);
        QFETCH(QStringList, expected);
        FileListModel model;
        model.fill(m_folder, {});
        QCOMPARE(model.fill(folder == "-" ? QString() : m_folder + folder, list), int(expected.size()));
        QCOMPARE(names(model), expected);
    }

    void sorting()
    {
        FileListModel model;
        model.fill(m_folder, {});
        // Name at start: the same column, so descending.
        model.headClick(0, QString());
        QCOMPARE(model.sortIndicatorKey(), QStringLiteral("DESC"));
        QCOMPARE(names(model).first(), m_part);

        FileListModel byTime;
        byTime.setLocale(deDE);
        byTime.headClick(2, QString());
        byTime.fill(m_folder, {".nc", "."});
        // The link reports its target's time, 1700000000, the oldest, and its size.
        QCOMPARE(names(byTime), (QStringList{"link.nc", "O2.NC", "O3", "O1.nc", m_part}));
        QCOMPARE(byTime.sizeText(0), QStringLiteral("3 KB"));
        // Shown sizes are one KB more than the size, halves rounded up.
        QCOMPARE(byTime.sizeText(2), QStringLiteral("3 KB"));
        QCOMPARE(byTime.sizeText(4), QStringLiteral("4.884 KB"));
        // 1700000100 is 14 November 2023, 22:15:00 UTC.
        QCOMPARE(byTime.timeText(1), QStringLiteral("14.11.23 22:15:00"));
        QCOMPARE(byTime.rowOfFullPath(m_folder + "o2.nc"), -1);
        // A folder given without its trailing separator still gives full paths.
        byTime.fill(m_dir.path(), {".NC"});
        QCOMPARE(byTime.fullPath(0), m_dir.path() + QDir::separator() + "link.nc");
    }

    void gridKeepsSelectionAcrossSort()
    {
        FileListModel model;
        FileGridView grid;
        grid.resize(600, 300);
        grid.setFileModel(&model);
        QSignalSpy spy(&grid, &FileGridView::selectedNameChanged);
        model.fill(m_folder, {});
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QRect cell = grid.visualRect(model.index(model.rowOfFullPath(m_folder + "O2.NC"), 0));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("O2.NC"));

        // The Size header, twice: another column keeps the direction, the same one flips it; O2.NC stays
        // selected. Sizes: O1 0 B, O2 600 B, O3 1536 B, b.txt and link.nc 2047 B (tie: by name), PART. 5 MB.
        QHeaderView *header = grid.horizontalHeader();
        const QPoint sizeHeader(header->sectionViewportPosition(1) + 5, header->height() / 2);
        const QList<QStringList> orders{{"O1.nc", "O2.NC", "O3", "b.txt", "link.nc", m_part},
                                        {m_part, "b.txt", "link.nc", "O3", "O2.NC", "O1.nc"}};
        for (const QStringList &order : orders) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sizeHeader);
            QVERIFY(model.sortColumn() == 1 && header->sortIndicatorSection() == 1);
            QCOMPARE(header->sortIndicatorOrder(), order == orders[0] ? Qt::AscendingOrder : Qt::DescendingOrder);
            QCOMPARE(names(model), order);
            QCOMPARE(grid.selectedRow(), order.indexOf("O2.NC"));
        }
        QCOMPARE(grid.selectedName(), QStringLiteral("O2.NC"));
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("O2.NC"));
    }
};

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
