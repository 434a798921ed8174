#include <QtTest>

#include "RequestSafety.h"
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
        // Every full path made from a name lies in the folder it was made in.
        if (!directory.isEmpty())
            QVERIFY(LiesInside(expected, directory, separator));
    }

    void insideFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("inside");
        QTest::newRow("up into a sibling") << "/progs/machineA/../otherB/SECRET.NC" << "/progs/machineA" << false;
        QTest::newRow("down and up") << "/progs/machineA/sub/../A.NC" << "/progs/machineA/" << true;
        QTest::newRow("dots and doubled separators") << "/progs//machineA/./A.NC" << "/progs/machineA" << true;
        QTest::newRow("the folder itself") << "/progs/machineA/." << "/progs/machineA" << false;
        QTest::newRow("above the file-system root") << "/../progs/machineA/A.NC" << "/progs/machineA" << false;
        QTest::newRow("case differs on Linux") << "/progs/MachineA/A.NC" << "/progs/machineA" << false;
        QTest::newRow("case differs on Windows") << "d:\\nc\\mill1\\A.NC" << "D:\\NC\\MILL1\\" << true;
        QTest::newRow("sibling with the same start") << "D:\\NC\\MILL10\\A.NC" << "D:\\NC\\MILL1" << false;
        QTest::newRow("slash on Windows") << "D:/NC/MILL1/../MILL2/A.NC" << "D:\\NC\\MILL1" << false;
    }
    void insideFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, root);
        const QChar separator = root.startsWith('/') ? '/' : '\\';
        QTEST(LiesInside(path, root, separator), "inside");
    }
};

QTEST_GUILESS_MAIN(tst_SelectedFilePath)
#include "tst_selectedfilepath.moc"
