#include <QtTest>

#include "Messages.h"
#include "FolderPicker.h"
#include "Platform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QOperatingSystemVersion>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>

#include <ctime>

class tst_Platform : public QObject
{
    Q_OBJECT
    static bool onWindows() { return QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows; }

private slots:
    // Each row is written with backslashes and run once with '\\' and once
    // with '/', so the Windows rules are checked on any system. Expected:
    // extension without and with dot, parent without and with separator,
    // folder part.
    void pathRules_data()
    {
        QTest::addColumn<QChar>("sep");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        const QList<QStringList> rows = {
            {"C:\\dir.old\\PART", "old\\PART", ".old\\PART", "C:\\dir.old", "C:\\dir.old\\", "C:\\dir.old\\"},
            {"PART", "", ".", "", "\\", ""},
            {"PART.", "", ".", "", "\\", ""},
            {"C:\\", "", ".", "C:", "C:\\", "C:\\"},
            {"C:\\NC\\", "", ".", "C:\\NC", "C:\\NC\\", "C:\\NC\\"},
            {"\\\\srv\\nc\\O1", "", ".", "\\\\srv\\nc", "\\\\srv\\nc\\", "\\\\srv\\nc\\"},
            {"", "", ".", "", "\\", ""},
        };
        for (const QChar sep : {QChar('\\'), QChar('/')}) {
            for (QStringList row : rows) {
                row.replaceInStrings(QStringLiteral("\\"), QString(sep));
                const QString path = row.takeFirst();
                QTest::addRow("'%s'", qPrintable(path)) << sep << path << row;
            }
        }
    }
    void pathRules()
    {
        QFETCH(QChar, sep);
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        QCOMPARE((QStringList{GetFileExtension(path, false), GetFileExtension(path, true),
                              GetParentFolder(path, false, sep), GetParentFolder(path, true, sep),
                              GetFolderPart(path, sep)}),
                 expected);
    }
    // Impossible fields and a missing file time give 1 January 1970; a file
    // written at 23:30 UTC shows on the next day where the station is ahead.
    void dates()
    {
        const QDateTime epoch(QDate(1970, 1, 1), QTime(0, 0, 0), Qt::LocalTime);
        QCOMPARE(SystemTimeToDate(2024, 2, 29, 23, 59, 58),
                 QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58), Qt::LocalTime));
        QCOMPARE(SystemTimeToDate(2023, 2, 29, 0, 0, 0), epoch);
        QCOMPARE(SystemTimeToDate(2023, 1, 1, 24, 0, 0), epoch);
        QCOMPARE(FileTimeToLocalDate(QDateTime()), epoch);
        const QDateTime written(QDate(2024, 1, 15), QTime(23, 30, 15, 999), Qt::UTC);
        if (onWindows()) {
            // Windows takes its zone from the system, not from TZ: the zone of the machine the test runs on.
            QCOMPARE(FileTimeToLocalDate(written), QDateTime(QDate(2024, 1, 15), QTime(23, 30, 15), Qt::UTC).toLocalTime());
            return;
        }
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const auto restore = qScopeGuard([] { qunsetenv("TZ"), tzset(); });
        QCOMPARE(FileTimeToLocalDate(written), QDateTime(QDate(2024, 1, 16), QTime(0, 30, 15), Qt::LocalTime));
    }
    void launchProgram()
    {
        QTemporaryDir dir;
        LaunchCommand command;
        command.program = dir.filePath(QStringLiteral("no-such-editor"));
        QVERIFY(!LaunchProgram(command, dir.path())); // and says nothing
        if (onWindows())
            QSKIP("no /bin/sh: tests/windows starts a real program in its folder through CreateProcessW");
        const QString work = dir.filePath(QStringLiteral("work dir"));
        QVERIFY(QDir().mkpath(work));
        command.program = QStringLiteral("/bin/sh");
        command.arguments = {QStringLiteral("-c"), QStringLiteral("pwd > out.tmp && mv out.tmp out.txt")};
        QVERIFY(LaunchProgram(command, work));
        QFile out(work + QStringLiteral("/out.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(out.exists(), 10000);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(out.readAll()).trimmed(), QDir(work).canonicalPath());
    }
    // A typed folder that does not exist is refused with a message and the
    // dialog stays open; cancel gives the empty string.
    void browseForFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("NC")));
        QStringList messages;
        const MessagePresenter before = SetMessagePresenter([&](const QString &text, int) {
            messages << text;
            return int(MsgResultOk);
        });
        const auto restore = qScopeGuard([&] { SetMessagePresenter(before); });
        bool stayedOpen = false;
        QString title;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const auto closer = qScopeGuard([dialog] { // whatever fails, it must not stay up
                if (dialog->isVisible())
                    dialog->reject();
            });
            title = dialog->windowTitle();
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            QPushButton *ok = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
            QVERIFY(edit && ok);
            edit->setText(dir.filePath(QStringLiteral("missing")));
            ok->click();
            stayedOpen = dialog->isVisible() && dialog->result() != QDialog::Accepted;
            edit->setText(dir.filePath(QStringLiteral("NC")));
            ok->click();
        });
        QCOMPARE(BrowseForFolder(nullptr, dir.path()), QDir::toNativeSeparators(dir.filePath(QStringLiteral("NC"))));
        QCOMPARE(title, QStringLiteral("Select a directory"));
        QVERIFY(stayedOpen);
        QCOMPARE(messages, QStringList{QStringLiteral("The Directory is invalid.")});

        QTimer::singleShot(0, this, [] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        QCOMPARE(BrowseForFolder(nullptr, dir.path()), QString());
    }
};

QTEST_MAIN(tst_Platform)
#include "tst_platform.moc"
