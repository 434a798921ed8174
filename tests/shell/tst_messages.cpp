#include <QtTest>

#include "AppInfo.h"
#include "Messages.h"
#include "StringTable.h"

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
    }
    void text()
    {
        QFETCH(int, number);
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        while (args.size() < 5)
            args << QString();
        QCOMPARE(GetMessageText(number, args[0], args[1], args[2], args[3], args[4]), expected);
    }
    void ownText()
    {
        // One pass: a name holding "%3" is not filled in again.
        QCOMPARE(GetMessageText(MessageId::RequestSent, "LOAD", "A%3.NC", "L-101", "14:03:22"),
                 "LOAD A%3.NC sent to L-101 at 14:03:22");
    }
    // Each name has its row in its file and each row a name; the system's
    // entries are 101-199 without a gap.
    void namesMatchTables()
    {
        const auto load = [](const char *name) {
            QFile file(QString::fromLatin1(name));
            return file.open(QIODevice::ReadOnly) ? StringTable::fromText(QString::fromUtf8(file.readAll()))
                                                  : StringTable();
        };
        const StringTable tables[2] = {load(":/strings/strings.tsv"), load(":/strings/own.tsv")};
        const QMetaEnum names = QMetaEnum::fromType<MessageId>();
        QStringList missing;
        int named[2] = {0, 0};
        for (int i = 0; i < names.keyCount(); ++i) {
            const int id = names.value(i);
            if (id == int(MessageId::None))
                continue;
            const int own = id >= FirstOwnMessage;
            ++named[own];
            if (!tables[own].contains(id))
                missing << names.key(i);
        }
        QCOMPARE(missing, QStringList());
        QCOMPARE(tables[0].size(), named[0]);
        QCOMPARE(tables[1].size(), named[1]);
        for (int n = 101; n <= 199; ++n)
            QVERIFY2(tables[0].contains(n), qPrintable(QString::number(n)));
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
