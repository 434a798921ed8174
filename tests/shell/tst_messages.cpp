#include <QtTest>

#include "AppInfo.h"
#include "Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

class tst_Messages : public QObject
{
    Q_OBJECT
private slots:
    void text_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("170 given") << 170 << QStringList{"12"} << "12 KB";
        QTest::newRow("%2 inside first argument")
            << 180 << QStringList{"A%2B", "X", "Y"}
            << "AXB was unable to connect to Quorvane DNC at IP Address %2 and Port Y.";
        QTest::newRow("second placeholder empty")
            << 181 << QStringList{"C:\\NC", ""}
            << "The directory C:\\NC was not found.  Contact your admistrator to configure %2.";
        QTest::newRow("no placeholder, argument ignored") << 101 << QStringList{"x"} << "Database";
        QTest::newRow("missing 200") << 200 << QStringList{"a"} << "###STRING RESOURCE ERROR###";
        // One pass: a name holding "%3" is not filled in again.
        QTest::newRow("own text") << int(MessageId::RequestSent) << QStringList{"LOAD", "A%3.NC", "L-101", "14:03:22"}
                                  << "LOAD A%3.NC sent to L-101 at 14:03:22";
    }
    void text()
    {
        QFETCH(int, number);
        QFETCH(QStringList, args);
        QTEST(GetMessageText(MessageId(number), args), "expected");
    }
    // Each name has its text, and so has each of the system's numbers 101-199.
    void everyNumberHasText()
    {
        const QMetaEnum names = QMetaEnum::fromType<MessageId>();
        QList<int> numbers;
        for (int i = 0; i < names.keyCount(); ++i)
            numbers << names.value(i);
        for (int n = 101; n <= 199; ++n)
            numbers << n;
        numbers.removeAll(int(MessageId::None));
        for (const int n : numbers)
            QVERIFY2(GetMessageText(n) != QLatin1String("###STRING RESOURCE ERROR###"), qPrintable(QString::number(n)));
    }
    void realBox_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << 0 << int(QMessageBox::Ok) << 1;
        QTest::newRow("yes") << 4 << int(QMessageBox::Yes) << 6;
        QTest::newRow("no") << 4 << int(QMessageBox::No) << 7;
    }
    void realBox()
    {
        QFETCH(int, style);
        QFETCH(int, button);
        QFETCH(int, expected);
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
        QCOMPARE(buttons, style == 0 ? 1 : 2);
    }
};

QTEST_MAIN(tst_Messages)
#include "tst_messages.moc"
