#include <QtTest>

#include "StartSwitches.h"

class tst_StartSwitches : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void argumentString();
};

void tst_StartSwitches::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("userMode");
    QTest::addColumn<bool>("properties");
    QTest::newRow("none") << "" << false << false;
    QTest::newRow("-USER") << "-USER" << true << false;
    QTest::newRow("-user") << "-user" << true << false;
    QTest::newRow("-User") << "-User" << true << false;
    QTest::newRow("-USERS") << "-USERS" << true << false;
    QTest::newRow("-username") << "-username" << true << false;
    QTest::newRow("inside a word") << "x-userx" << true << false;
    QTest::newRow("-PROPERTIES") << "-PROPERTIES" << false << true;
    QTest::newRow("-properties") << "-properties" << false << true;
    QTest::newRow("both") << "-USER -PROPERTIES" << true << true;
    QTest::newRow("both reversed") << "-Properties -user" << true << true;
    QTest::newRow("USER without dash") << "USER" << false << false;
    QTest::newRow("/USER") << "/USER" << false << false;
    QTest::newRow("-US ER") << "-US ER" << false << false;
    QTest::newRow("-PROPERTY") << "-PROPERTY" << false << false;
    QTest::newRow("other argument") << "C:\\NC\\O1.NC" << false << false;
}

void tst_StartSwitches::parse()
{
    QFETCH(QString, line);
    QFETCH(bool, userMode);
    QFETCH(bool, properties);
    const StartSwitches s = ParseStartSwitches(line);
    QCOMPARE(s.userMode, userMode);
    QCOMPARE(s.properties, properties);
}

void tst_StartSwitches::argumentString()
{
    QCOMPARE(ArgumentString({"/opt/qs/qspindrel", "-user", "-PROPERTIES"}),
             QStringLiteral("-user -PROPERTIES"));
    QCOMPARE(ArgumentString({"/opt/qs/qspindrel"}), QString());
    QCOMPARE(ArgumentString({}), QString());
    // Words split by the shell meet again: "-PROPER" "TIES" is no switch.
    QVERIFY(!ParseStartSwitches(ArgumentString({"p", "-PROPER", "TIES"})).properties);
}

QTEST_MAIN(tst_StartSwitches)
#include "tst_startswitches.moc"
