#include "FileGridView.h"
#include "FileListFormat.h"
#include "FileListModel.h"
#include "FileNameEdit.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <sys/stat.h>

namespace {

// A file of `size` bytes whose last write was at `utcSecs`.
void makeFile(const QString &path, qint64 size, qint64 utcSecs = 1700000000)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QVERIFY(f.resize(size));
    QVERIFY(f.setFileTime(QDateTime::fromSecsSinceEpoch(utcSecs, Qt::UTC),
                          QFileDevice::FileModificationTime));
}

QStringList names(const FileListModel &m)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.name(r);
    return out;
}

} // namespace

class TestFileList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sizeKB_data();
    void sizeKB();
    void sizeText();
    void timeText_data();
    void timeText();
    void extension_data();
    void extension();
    void fillFilters_data();
    void fillFilters();
    void fillColumns();
    void missingOrEmptyDirectory();
    void headClickDirections();
    void sortsBySizeAndTime();
    void sortsNamesWithoutCase();
    void gridKeepsSelectionAcrossSort();
    void gridReportsFirstRowAndEmpty();
    void fileNameSelectsAllOnFocus();

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

void TestFileList::initTestCase()
{
    // Local time is UTC here so that the time texts are fixed.
    qputenv("TZ", "UTC");
    tzset();
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.path() + QLatin1Char('/');
    makeFile(m_folder + "O1.nc", 0, 1700000300);
    makeFile(m_folder + "O2.NC", 600, 1700000100);
    makeFile(m_folder + "O3", 1024, 1700000200);
    makeFile(m_folder + "b.txt", 2047, 1700000000);
    makeFile(m_folder + "PART.", 5000000, 1700000400);
    makeFile(m_folder + ".hidden.nc", 10);
    QVERIFY(QDir(m_folder).mkdir("sub.nc"));
    makeFile(m_folder + "sub.nc/inner.nc", 10);
    QVERIFY(QFile::link(m_folder + "b.txt", m_folder + "link.nc"));
    QVERIFY(QFile::link(m_folder + "gone", m_folder + "broken.nc"));
    // A pipe is no part program: listing it would let Send hang on it.
    QCOMPARE(::mkfifo(QFile::encodeName(m_folder + "pipe.nc").constData(), 0644), 0);
}

void TestFileList::sizeKB_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<qint64>("kb");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << qint64(0) << qint64(1) << 1.0;
    QTest::newRow("600") << qint64(600) << qint64(2) << 600 / 1024.0 + 1;
    QTest::newRow("511 rounds down") << qint64(511) << qint64(1) << 511 / 1024.0 + 1;
    QTest::newRow("512 half up") << qint64(512) << qint64(2) << 1.5;
    QTest::newRow("1024") << qint64(1024) << qint64(2) << 2.0;
    QTest::newRow("1536 half up") << qint64(1536) << qint64(3) << 2.5;
    QTest::newRow("2047") << qint64(2047) << qint64(3) << 2047 / 1024.0 + 1;
    QTest::newRow("5 GB") << qint64(5) * 1024 * 1024 * 1024 << qint64(5242881) << 5242881.0;
}

void TestFileList::sizeKB()
{
    QFETCH(qint64, bytes);
    QFETCH(qint64, kb);
    QFETCH(double, value);
    QCOMPARE(FileSizeKB(bytes), kb);
    QCOMPARE(FileSizeValue(bytes), value);
}

void TestFileList::sizeText()
{
    const qint64 bytes = qint64(5) * 1024 * 1024 * 1024;
    QCOMPARE(FileSizeText(1024, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("2 KB"));
    QCOMPARE(FileSizeText(bytes, QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("5,242,881 KB"));
    QCOMPARE(FileSizeText(bytes, QLocale(QLocale::German, QLocale::Germany)),
             QStringLiteral("5.242.881 KB"));
    // Grouped even where the locale was told to leave separators out.
    QLocale plain(QLocale::English, QLocale::UnitedStates);
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QCOMPARE(FileSizeText(bytes, plain), QStringLiteral("5,242,881 KB"));
}

void TestFileList::timeText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    const QString ampmSpace = QLocale(QLocale::English, QLocale::UnitedStates)
                                  .timeFormat(QLocale::ShortFormat)
                                  .contains(QChar(0x202F))
        ? QString(QChar(0x202F))
        : QStringLiteral(" ");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates)
                           << QStringLiteral("1/2/24 3:04:05") + ampmSpace + QStringLiteral("PM");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany)
                           << QStringLiteral("02.01.24 15:04:05");
}

void TestFileList::timeText()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    const QDateTime local(QDate(2024, 1, 2), QTime(15, 4, 5), Qt::LocalTime);
    QCOMPARE(FileTimeText(local, locale), expected);
    QVERIFY(!LongTimeFormat(locale).contains(u't'));
}

void TestFileList::extension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<bool>("match");
    const QStringList nc{".NC"};
    QTest::newRow("lower") << "O1.nc" << nc << true;
    QTest::newRow("upper") << "O2.NC" << nc << true;
    QTest::newRow("none") << "O3" << nc << false;
    QTest::newRow("none with dot entry") << "O3" << QStringList{".NC", "."} << true;
    QTest::newRow("trailing dot") << "PART." << QStringList{"."} << true;
    QTest::newRow("last dot counts") << "a.nc.bak" << nc << false;
    QTest::newRow("name equals ext") << "nc" << nc << false;
    QTest::newRow("no list") << "anything.xyz" << QStringList{} << true;
    QTest::newRow("wildcard entry") << "O1.NC" << QStringList{".*.NC"} << false;
    QTest::newRow("longer ext") << "O1.NCX" << nc << false;
}

void TestFileList::extension()
{
    QFETCH(QString, name);
    QFETCH(QStringList, list);
    QFETCH(bool, match);
    QCOMPARE(ExtensionMatches(name, list), match);
}

void TestFileList::fillFilters_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("expected");
    // Names sort without regard to case; hidden files, folders, pipes and
    // broken links never appear; a link to a file does.
    QTest::newRow("all") << QStringList{}
                         << QStringList{"b.txt", "link.nc", "O1.nc", "O2.NC", "O3", "PART."};
    QTest::newRow(".NC") << QStringList{".NC"} << QStringList{"link.nc", "O1.nc", "O2.NC"};
    QTest::newRow(".nc and .") << QStringList{".nc", "."}
                               << QStringList{"link.nc", "O1.nc", "O2.NC", "O3", "PART."};
    QTest::newRow("no match") << QStringList{".H"} << QStringList{};
}

void TestFileList::fillFilters()
{
    QFETCH(QStringList, list);
    QFETCH(QStringList, expected);
    FileListModel model;
    QCOMPARE(model.fill(m_folder, list), int(expected.size()));
    QCOMPARE(names(model), expected);
}

void TestFileList::fillColumns()
{
    FileListModel model;
    model.setLocale(QLocale(QLocale::German, QLocale::Germany));
    model.fill(m_folder, {".nc", "."});
    const int o2 = model.rowOfFullPath(m_folder + "O2.NC");
    QVERIFY(o2 >= 0);
    QCOMPARE(model.sizeText(o2), QStringLiteral("2 KB"));
    QCOMPARE(model.sizeValue(o2), 600 / 1024.0 + 1);
    QCOMPARE(model.fullPath(o2), m_folder + "O2.NC");
    // 1700000100 is 14 November 2023, 22:15:00 UTC.
    QCOMPARE(model.timeText(o2), QStringLiteral("14.11.23 22:15:00"));
    const int part = model.rowOfFullPath(m_folder + "PART.");
    QCOMPARE(model.sizeText(part), QStringLiteral("4.884 KB"));
    // The link shows its target's size.
    QCOMPARE(model.sizeText(model.rowOfFullPath(m_folder + "link.nc")), QStringLiteral("3 KB"));

    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Modified"));
    QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("who cares"));
    QCOMPARE(model.data(model.index(o2, 3)).toString(), m_folder + "O2.NC");
    QCOMPARE(model.rowOfFullPath(m_folder + "o2.nc"), -1);

    // A folder given without its trailing separator still gives full paths.
    model.fill(m_dir.path(), {".NC"});
    QCOMPARE(model.fullPath(0), m_folder + "link.nc");
}

void TestFileList::missingOrEmptyDirectory()
{
    FileListModel model;
    model.fill(m_folder, {});
    QVERIFY(model.rowCount() > 0);
    QCOMPARE(model.fill(m_folder + "nothere/", {}), 0);
    QCOMPARE(model.fill(QString(), {}), 0);
    // Only folders and hidden files.
    QTemporaryDir only;
    QVERIFY(QDir(only.path()).mkdir("sub"));
    makeFile(only.path() + "/.profile", 5);
    QCOMPARE(model.fill(only.path() + '/', {}), 0);
}

void TestFileList::headClickDirections()
{
    FileListModel model;
    model.fill(m_folder, {});
    QCOMPARE(model.sortColumn(), 0);
    QVERIFY(model.sortAscending());
    QCOMPARE(model.sortIndicatorKey(), QStringLiteral("ASC"));
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(model.headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());

    // Name at start: same column, so descending.
    model.headClick(0, QString());
    QVERIFY(!model.sortAscending());
    QCOMPARE(model.sortIndicatorKey(), QStringLiteral("DESC"));
    QCOMPARE(names(model).first(), QStringLiteral("PART."));

    // Another column keeps the direction; the same one flips it.
    FileListModel fresh;
    fresh.fill(m_folder, {});
    fresh.headClick(1, QString());
    QCOMPARE(fresh.sortColumn(), 1);
    QVERIFY(fresh.sortAscending());
    fresh.headClick(1, QString());
    QVERIFY(!fresh.sortAscending());
    fresh.headClick(2, QString());
    QCOMPARE(fresh.sortColumn(), 2);
    QVERIFY(!fresh.sortAscending());
}

void TestFileList::sortsBySizeAndTime()
{
    FileListModel model;
    model.headClick(1, QString());
    // O1 0 B, O2 600 B, O3 1024 B, b.txt and link.nc 2047 B (tie: by name), PART. 5 MB.
    model.fill(m_folder, {});
    QCOMPARE(names(model), (QStringList{"O1.nc", "O2.NC", "O3", "b.txt", "link.nc", "PART."}));
    const int row = model.headClick(1, m_folder + "O3");
    QCOMPARE(names(model), (QStringList{"PART.", "b.txt", "link.nc", "O3", "O2.NC", "O1.nc"}));
    QCOMPARE(row, 3);

    FileListModel byTime;
    byTime.headClick(2, QString());
    byTime.fill(m_folder, {".nc", "."});
    // The link reports its target's time, 1700000000, the oldest.
    QCOMPARE(names(byTime), (QStringList{"link.nc", "O2.NC", "O3", "O1.nc", "PART."}));
}

void TestFileList::sortsNamesWithoutCase()
{
    QTemporaryDir dir;
    const QStringList created{
        QString::fromUtf8("\u00c4pfel"), QString::fromUtf8("\u00e4pfel"), "apfel", "Apfel2", "b",
        "Z", "part_00010", "PART_00009", "part_000100", QString::fromUtf8("\u212a"), "l",
        QString::fromUtf8("\u00df"), "ss"};
    for (const QString &n : created)
        makeFile(dir.path() + '/' + n, 1);
    FileListModel model;
    model.fill(dir.path() + '/', {});
    // ASCII letters without regard to case; other letters after them by
    // their folded code; the Kelvin sign folds to k.
    const QStringList ascending = names(model);
    QCOMPARE(ascending,
             (QStringList{"apfel", "Apfel2", "b", QString::fromUtf8("\u212a"), "l", "PART_00009",
                          "part_00010", "part_000100", "ss", "Z", QString::fromUtf8("\u00df"),
                          QString::fromUtf8("\u00c4pfel"), QString::fromUtf8("\u00e4pfel")}));
    model.headClick(0, QString());
    QStringList descending = names(model);
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(descending, ascending);
}

void TestFileList::gridKeepsSelectionAcrossSort()
{
    FileListModel model;
    FileGridView grid;
    grid.resize(600, 300);
    grid.setFileModel(&model);
    QSignalSpy spy(&grid, &FileGridView::selectedNameChanged);
    model.fill(m_folder, {});
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.selectedName(), QStringLiteral("b.txt"));
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("b.txt"));

    // Pick O2.NC by clicking it.
    const int o2 = model.rowOfFullPath(m_folder + "O2.NC");
    const QRect cell = grid.visualRect(model.index(o2, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(grid.selectedName(), QStringLiteral("O2.NC"));
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("O2.NC"));

    // Click the Size header: O2.NC moves to row 1 and stays selected.
    QHeaderView *header = grid.horizontalHeader();
    const QPoint sizeHeader(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sizeHeader);
    QCOMPARE(model.sortColumn(), 1);
    QVERIFY(model.sortAscending());
    QCOMPARE(grid.selectedRow(), 1);
    QCOMPARE(grid.selectedName(), QStringLiteral("O2.NC"));
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);

    // Again: descending, still O2.NC, now second from the end.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sizeHeader);
    QVERIFY(!model.sortAscending());
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(grid.selectedRow(), model.rowCount() - 2);
    QCOMPARE(grid.selectedName(), QStringLiteral("O2.NC"));
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("O2.NC"));

    // Columns: 0.6, 0.1, 0.2 of the width, the path hidden.
    QCOMPARE(grid.columnWidth(0), int(grid.width() * 0.6));
    QCOMPARE(grid.columnWidth(1), int(grid.width() * 0.1));
    QCOMPARE(grid.columnWidth(2), int(grid.width() * 0.2));
    QVERIFY(grid.isColumnHidden(3));
}

void TestFileList::gridReportsFirstRowAndEmpty()
{
    FileListModel model;
    FileGridView grid;
    grid.setFileModel(&model);
    QSignalSpy spy(&grid, &FileGridView::selectedNameChanged);
    model.fill(m_folder, {".NC"});
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("link.nc"));
    model.fill(m_folder, {".H"});
    QCOMPARE(spy.last().at(0).toString(), QString());
    model.fill(m_folder, {".NC"});
    model.clear();
    QCOMPARE(spy.last().at(0).toString(), QString());
    QCOMPARE(grid.selectedRow(), -1);
}

void TestFileList::fileNameSelectsAllOnFocus()
{
    QWidget window;
    auto *other = new QLineEdit(&window);
    auto *edit = new FileNameEdit(&window);
    edit->move(0, 40);
    edit->setText(QStringLiteral("O1.nc"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());

    edit->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), QStringLiteral("O1.nc"));

    // A click that brings the focus keeps everything selected.
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), QStringLiteral("O1.nc"));
    // The next click places the cursor as usual.
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
    QVERIFY(edit->selectedText().isEmpty());
}

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
