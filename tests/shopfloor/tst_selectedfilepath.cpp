#include <QtTest>

#include "SelectedFilePath.h"

class tst_SelectedFilePath : public QObject
{
    Q_OBJECT
private slots:
    void fullPath_data();
    void fullPath();
};

void tst_SelectedFilePath::fullPath_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QStringList>("extensions");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    const QString mill = QStringLiteral("D:\\NC\\MILL1\\");
    const QChar bs = QLatin1Char('\\');
    const QStringList ncTxt{".NC", ".TXT"};

    // The example table.
    QTest::newRow("default extension") << mill << ncTxt << "O1234" << bs << "D:\\NC\\MILL1\\O1234.NC";
    QTest::newRow("listed extension, other case")
        << mill << ncTxt << "o1234.txt" << bs << "D:\\NC\\MILL1\\o1234.txt";
    QTest::newRow("unlisted extension kept")
        << mill << ncTxt << "PART.MPF" << bs << "D:\\NC\\MILL1\\PART.MPF.NC";
    QTest::newRow("already full, other case")
        << mill << ncTxt << "d:\\nc\\mill1\\A.NC" << bs << "d:\\nc\\mill1\\A.NC";
    QTest::newRow("dot entry accepts no extension")
        << mill << QStringList{"."} << "O1234" << bs << "D:\\NC\\MILL1\\O1234";
    QTest::newRow("dot entry first appends a bare dot")
        << mill << QStringList{".", ".NC"} << "PART.MPF" << bs << "D:\\NC\\MILL1\\PART.MPF.";
    QTest::newRow("empty list") << mill << QStringList{} << "O1234" << bs << "D:\\NC\\MILL1\\O1234";
    QTest::newRow("other directory is not full")
        << mill << QStringList{".NC"} << "C:\\X\\A.NC" << bs << "D:\\NC\\MILL1\\C:\\X\\A.NC";

    // Around the table.
    QTest::newRow("blanks are a name") << mill << ncTxt << "   " << bs << "D:\\NC\\MILL1\\   .NC";
    QTest::newRow("blanks, dot entry") << mill << QStringList{".", ".NC"} << "  " << bs
                                       << "D:\\NC\\MILL1\\  ";
    QTest::newRow("last dot may sit in a folder")
        << mill << ncTxt << "SUB.V2\\O1" << bs << "D:\\NC\\MILL1\\SUB.V2\\O1.NC";
    QTest::newRow("lower-case list entry") << mill << QStringList{".nc"} << "A.NC" << bs
                                           << "D:\\NC\\MILL1\\A.NC";
    QTest::newRow("no directory shown yet") << QString() << ncTxt << "O1" << bs << "O1.NC";
    QTest::newRow("full path gets default extension")
        << mill << ncTxt << "D:\\NC\\MILL1\\O1" << bs << "D:\\NC\\MILL1\\O1.NC";
    QTest::newRow("sibling folder is no prefix")
        << "D:\\NC\\MILL1" << ncTxt << "D:\\NC\\MILL10\\A.NC" << bs
        << "D:\\NC\\MILL1\\D:\\NC\\MILL10\\A.NC";
    QTest::newRow("slash separator") << "/srv/nc/mill1/" << ncTxt << "O1" << QChar('/')
                                     << "/srv/nc/mill1/O1.NC";
    QTest::newRow("trailing dot, dot not listed")
        << mill << ncTxt << "O1." << bs << "D:\\NC\\MILL1\\O1..NC";
}

void tst_SelectedFilePath::fullPath()
{
    QFETCH(QString, directory);
    QFETCH(QStringList, extensions);
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(GetSelectedFilePath(text, directory, extensions, separator), expected);
}

QTEST_GUILESS_MAIN(tst_SelectedFilePath)
#include "tst_selectedfilepath.moc"
