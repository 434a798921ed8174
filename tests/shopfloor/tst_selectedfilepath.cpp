#include <QtTest>

#include "SelectedFilePath.h"

class tst_SelectedFilePath : public QObject
{
    Q_OBJECT
private slots:
    void fullPath_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QStringList>("extensions");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QStringList &extensions, const char *text, const char *expected,
                            const char *directory = "D:\\NC\\MILL1\\") {
            QTest::newRow(name) << directory << extensions << text << expected;
        };
        const QStringList ncTxt{".NC", ".TXT"};

        // The example table.
        row("default extension", ncTxt, "O1234", "D:\\NC\\MILL1\\O1234.NC");
        row("listed extension, other case", ncTxt, "o1234.txt", "D:\\NC\\MILL1\\o1234.txt");
        row("unlisted extension kept", ncTxt, "PART.MPF", "D:\\NC\\MILL1\\PART.MPF.NC");
        row("already full, other case", ncTxt, "d:\\nc\\mill1\\A.NC", "d:\\nc\\mill1\\A.NC");
        row("dot entry accepts no extension", {"."}, "O1234", "D:\\NC\\MILL1\\O1234");
        row("dot entry first appends a bare dot", {".", ".NC"}, "PART.MPF", "D:\\NC\\MILL1\\PART.MPF.");
        row("empty list", {}, "O1234", "D:\\NC\\MILL1\\O1234");
        row("other directory is not full", {".NC"}, "C:\\X\\A.NC", "D:\\NC\\MILL1\\C:\\X\\A.NC");

        // Around the table.
        row("blanks are a name", ncTxt, "   ", "D:\\NC\\MILL1\\   .NC");
        row("blanks, dot entry", {".", ".NC"}, "  ", "D:\\NC\\MILL1\\  ");
        row("last dot may sit in a folder", ncTxt, "SUB.V2\\O1", "D:\\NC\\MILL1\\SUB.V2\\O1.NC");
        row("lower-case list entry", {".nc"}, "A.NC", "D:\\NC\\MILL1\\A.NC");
        row("no directory shown yet", ncTxt, "O1", "O1.NC", "");
        row("full path gets default extension", ncTxt, "D:\\NC\\MILL1\\O1", "D:\\NC\\MILL1\\O1.NC");
        row("sibling folder is no prefix", ncTxt, "D:\\NC\\MILL10\\A.NC", "D:\\NC\\MILL1\\D:\\NC\\MILL10\\A.NC",
            "D:\\NC\\MILL1");
        row("slash separator", ncTxt, "O1", "/srv/nc/mill1/O1.NC", "/srv/nc/mill1/");
        row("trailing dot, dot not listed", ncTxt, "O1.", "D:\\NC\\MILL1\\O1..NC");
    }
    void fullPath()
    {
        QFETCH(QString, directory);
        QFETCH(QStringList, extensions);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QChar separator = directory.startsWith('/') ? '/' : '\\';
        QCOMPARE(GetSelectedFilePath(text, directory, extensions, separator), expected);
    }
};

QTEST_GUILESS_MAIN(tst_SelectedFilePath)
#include "tst_selectedfilepath.moc"
