#include <QtTest>

#include "StartSwitches.h"

class tst_StartSwitches : public QObject
{
    Q_OBJECT
private slots:
    // The words as the shell hands them over, after the program name.
    void parse_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("userMode");
        QTest::addColumn<bool>("properties");
        QTest::newRow("none") << QStringList{} << false << false;
        QTest::newRow("-USER") << QStringList{"-USER"} << true << false;
        QTest::newRow("inside a word") << QStringList{"x-userx"} << true << false;
        QTest::newRow("-PROPERTIES") << QStringList{"-PROPERTIES"} << false << true;
        QTest::newRow("both") << QStringList{"-USER", "-PROPERTIES"} << true << true;
        QTest::newRow("both reversed") << QStringList{"-Properties", "-user"} << true << true;
        QTest::newRow("USER without dash") << QStringList{"USER"} << false << false;
        QTest::newRow("/USER") << QStringList{"/USER"} << false << false;
        QTest::newRow("-US ER") << QStringList{"-US", "ER"} << false << false;
        QTest::newRow("-PROPERTY") << QStringList{"-PROPERTY"} << false << false;
        QTest::newRow("file argument") << QStringList{"C:\\NC\\O1.NC"} << false << false;
    }
    void parse()
    {
        QFETCH(QStringList, words);
        QFETCH(bool, userMode);
        QFETCH(bool, properties);
        const QString line = ArgumentString(QStringList{"/opt/qs/qspindrel"} + words);
        QCOMPARE(line, words.join(' '));
        const StartSwitches s = ParseStartSwitches(line);
        QCOMPARE(s.userMode, userMode);
        QCOMPARE(s.properties, properties);
        QCOMPARE(ArgumentString({}), QString());
    }
};

QTEST_MAIN(tst_StartSwitches)
#include "tst_startswitches.moc"
