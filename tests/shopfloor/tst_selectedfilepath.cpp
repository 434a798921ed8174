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
        row("unlisted extension kept", ncTxt, "PART.MPF", "D:\\NC\\MILL1\\PART.MPF.NC");
        row("already full, other case", ncTxt, "d:\\nc\\mill1\\A.NC", "d:\\nc\\mill1\\A.NC");
        row("dot entry accepts no extension", {"."}, "O1234", "D:\\NC\\MILL1\\O1234");
        row("dot entry first appends a bare dot", {".", ".NC"}, "PART.MPF", "D:\\NC\\MILL1\\PART.MPF.");
        row("other directory is not full", {".NC"}, "C:\\X\\A.NC", "D:\\NC\\MILL1\\C:\\X\\A.NC");

        // Around the table.
        row("last dot may sit in a folder", ncTxt, "SUB.V2\\O1", "D:\\NC\\MILL1\\SUB.V2\\O1.NC");
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

    void insideFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("inside");
        const auto row = [](const char *name, const char *path, const char *root, bool inside, char separator = 0) {
            QTest::newRow(name) << path << root << QChar(separator ? separator : root[0] == '/' ? '/' : '\\') << inside;
        };
        row("the folder itself", "/progs/machineA/.", "/progs/machineA", false);
        row("above the file-system root", "/../progs/machineA/A.NC", "/progs/machineA", false);
        row("case differs on Linux", "/progs/MachineA/A.NC", "/progs/machineA", false);
        row("sibling with the same start", "D:\\NC\\MILL10\\A.NC", "D:\\NC\\MILL1", false);
        row("slash on Windows", "D:/NC/MILL1/../MILL2/A.NC", "D:\\NC\\MILL1", false);
        // No root, or one that depends on the current folder, holds nothing.
        row("drive-relative root", "D:NC\\O1.NC", "D:NC", false);
        // Drives and shares start paths of their own.
        row("other drive", "C:\\NC\\MILL1\\O1.NC", "D:\\NC\\MILL1", false);
        row("share typed into a drive folder", "\\\\server\\NC\\O1.NC", "D:\\", false);
        row("rooted path", "\\NC\\MILL1\\O1.NC", "D:\\NC\\MILL1", false);
        row("drive root", "d:\\O1.NC", "D:\\", true);
        row("share root", "\\\\SERVER\\progs\\mill1\\O1.NC", "\\\\server\\progs", true);
    }
    void insideFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, root);
        QFETCH(QChar, separator);
        QTEST(LiesInside(path, root, separator), "inside");
    }
};

QTEST_GUILESS_MAIN(tst_SelectedFilePath)
#include "tst_selectedfilepath.moc"
