#include <QtTest>

#include "AppInfo.h"
#include "Messages.h"
#include "StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

class tst_Messages : public QObject
{
    Q_OBJECT
private slots:
    void placeholders_data();
    void placeholders();
    void tableIsCompleteAndExact_data();
    void tableIsCompleteAndExact();
    void presenterIsReplaceable();
    void realBox_data();
    void realBox();
};

void tst_Messages::placeholders_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");

    QTest::newRow("170 empty") << 170 << QStringList{} << "%1 KB";
    QTest::newRow("170 given") << 170 << QStringList{"12"} << "12 KB";
    QTest::newRow("%2 inside first argument")
        << 180 << QStringList{"A%2B", "X", "Y"}
        << "AXB was unable to connect to Quorvane DNC at IP Address %2 and Port Y.";
    QTest::newRow("second placeholder empty")
        << 181 << QStringList{"C:\\NC", ""}
        << "The directory C:\\NC was not found.  Contact your admistrator to configure %2.";
    QTest::newRow("no placeholder, argument ignored") << 101 << QStringList{"x"} << "Database";
    QTest::newRow("missing 200") << 200 << QStringList{} << "###STRING RESOURCE ERROR###";
    QTest::newRow("missing 100") << 100 << QStringList{"a"} << "###STRING RESOURCE ERROR###";
    QTest::newRow("missing 0") << 0 << QStringList{} << "###STRING RESOURCE ERROR###";
}

void tst_Messages::placeholders()
{
    QFETCH(int, number);
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    while (args.size() < 5)
        args << QString();
    QCOMPARE(GetMessageText(number, args[0], args[1], args[2], args[3], args[4]), expected);
}

void tst_Messages::tableIsCompleteAndExact_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("101") << 101 << "Database";
    QTest::newRow("104") << 104 << "< &Back";
    QTest::newRow("124") << 124 << "Microsoft Access Databases (*.mdb)|*.mdb";
    QTest::newRow("164") << 164
                         << "No database was specified.  Contact your Administrator to configure %1.";
    QTest::newRow("168") << 168
                         << "This PC has no machines specified.  Contact your admistrator to "
                            "configure %1 on this PC.";
    QTest::newRow("178") << 178
                         << "The File %1 already exists.  Do you want to overwrite the existing file?";
    QTest::newRow("199") << 199 << "At least one machine must be enabled for this User to continue.";
}

void tst_Messages::tableIsCompleteAndExact()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    const StringTable &table = StringTable::instance();
    QCOMPARE(table.size(), 99);
    for (int n = 101; n <= 199; ++n)
        QVERIFY2(table.contains(n), qPrintable(QString::number(n)));
    QCOMPARE(table.text(number), text);
}

void tst_Messages::presenterIsReplaceable()
{
    QStringList seen;
    const MessagePresenter before = SetMessagePresenter([&](const QString &text, int style) {
        seen << QString::number(style) + QLatin1Char(':') + text;
        return style == MsgYesNo ? int(MsgResultNo) : int(MsgResultOk);
    });
    QCOMPARE(ShowMessage(QStringLiteral("a")), int(MsgResultOk));
    QCOMPARE(ShowMessage(QStringLiteral("b"), MsgYesNo), int(MsgResultNo));
    QCOMPARE(seen, (QStringList{"0:a", "4:b"}));
    SetMessagePresenter(before);
}

void tst_Messages::realBox_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("buttonCount");
    QTest::newRow("ok") << 0 << int(QMessageBox::Ok) << 1 << 1;
    QTest::newRow("yes") << 4 << int(QMessageBox::Yes) << 6 << 2;
    QTest::newRow("no") << 4 << int(QMessageBox::No) << 7 << 2;
}

// Drives the real box: finds it once it is up, checks caption and buttons,
// presses the wanted one.
void tst_Messages::realBox()
{
    QFETCH(int, style);
    QFETCH(int, button);
    QFETCH(int, expected);
    QFETCH(int, buttonCount);
    QString caption;
    int buttons = -1;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        buttons = int(box->buttons().size());
        box->button(QMessageBox::StandardButton(button))->click();
    });
    QCOMPARE(ShowMessage(QStringLiteral("text"), style), expected);
    QCOMPARE(caption, ApplicationTitle());
    QCOMPARE(buttons, buttonCount);
}

QTEST_MAIN(tst_Messages)
#include "tst_messages.moc"
