#include <QtTest>

#include "Messages.h"
#include "Platform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QLineEdit>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>

#include <ctime>

class tst_Platform : public QObject
{
    Q_OBJECT
private slots:
    void pathRules_data();
    void pathRules();
    void folderExists_data();
    void folderExists();
    void fileExistsIsFalseForFolders();
    void stationNames();
    void systemTimeToDate_data();
    void systemTimeToDate();
    void fileTimeCrossesMidnight();
    void launchProgramUsesDirectory();
    void launchProgramFailureIsSilent();
    void browseForFolderKeepsDialogOnInvalidName();
    void browseForFolderCancel();
};

// Each row is written with backslashes and run once with '\\' and once with
// '/', so the Windows rules are checked on any system.
void tst_Platform::pathRules_data()
{
    QTest::addColumn<QChar>("sep");
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<QString>("expected");

    struct Row {
        const char *name;
        const char *function;
        const char *path;
        bool flag;
        const char *expected;
    };
    const Row rows[] = {
        {"ext with dot", "ext", "C:\\Programs\\PART.NC", true, ".NC"},
        {"ext without dot", "ext", "C:\\Programs\\PART.NC", false, "NC"},
        {"ext of dotted folder", "ext", "C:\\dir.old\\PART", true, ".old\\PART"},
        {"ext none with dot", "ext", "PART", true, "."},
        {"ext none", "ext", "PART", false, ""},
        {"ext trailing dot", "ext", "PART.", false, ""},
        {"ext trailing dot with dot", "ext", "PART.", true, "."},
        {"ext empty", "ext", "", false, ""},
        {"parent", "parent", "C:\\NC\\PART.NC", false, "C:\\NC"},
        {"parent with sep", "parent", "C:\\NC\\PART.NC", true, "C:\\NC\\"},
        {"parent none", "parent", "PART.NC", false, ""},
        {"parent none with sep", "parent", "PART.NC", true, "\\"},
        {"parent of root", "parent", "C:\\", false, "C:"},
        {"parent of root with sep", "parent", "C:\\", true, "C:\\"},
        {"parent of share", "parent", "\\\\srv\\nc\\O1", false, "\\\\srv\\nc"},
        {"folder part", "folder", "C:\\NC\\PART.NC", false, "C:\\NC\\"},
        {"folder part none", "folder", "PART.NC", false, ""},
        {"folder part of folder", "folder", "C:\\NC\\", false, "C:\\NC\\"},
    };
    for (const QChar sep : {QChar('\\'), QChar('/')}) {
        for (const Row &r : rows) {
            QString path = QString::fromUtf8(r.path);
            QString expected = QString::fromUtf8(r.expected);
            path.replace(QLatin1Char('\\'), sep);
            expected.replace(QLatin1Char('\\'), sep);
            QTest::addRow("%s [%c]", r.name, sep.toLatin1())
                << sep << QString::fromLatin1(r.function) << path << r.flag << expected;
        }
    }
}

void tst_Platform::pathRules()
{
    QFETCH(QChar, sep);
    QFETCH(QString, function);
    QFETCH(QString, path);
    QFETCH(bool, flag);
    QFETCH(QString, expected);
    QString actual;
    if (function == QLatin1String("ext"))
        actual = GetFileExtension(path, flag);
    else if (function == QLatin1String("parent"))
        actual = GetParentFolder(path, flag, sep);
    else
        actual = GetFolderPart(path, sep);
    QCOMPARE(actual, expected);
}

void tst_Platform::folderExists_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("trailing");
    QTest::addColumn<bool>("expected");
    QTest::newRow("folder") << "NC" << false << true;
    QTest::newRow("folder with separator") << "NC" << true << true;
    QTest::newRow("missing") << "none" << false << false;
    QTest::newRow("missing with separator") << "none" << true << false;
    QTest::newRow("file") << "NC/O1.NC" << false << false;
    QTest::newRow("file with separator") << "NC/O1.NC" << true << false;
}

void tst_Platform::folderExists()
{
    QFETCH(QString, relative);
    QFETCH(bool, trailing);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("NC")));
    QFile file(dir.filePath(QStringLiteral("NC/O1.NC")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QString path = QDir::toNativeSeparators(dir.filePath(relative));
    if (trailing)
        path += QDir::separator();
    QCOMPARE(FolderExists(path), expected);
    // The empty string is the root, which always exists.
    QVERIFY(FolderExists(QString()));
}

void tst_Platform::fileExistsIsFalseForFolders()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("O1.NC"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(FileExists(file));
    QVERIFY(!FileExists(dir.path()));
    QVERIFY(!FileExists(dir.path() + QLatin1Char('/')));
    QVERIFY(!FileExists(QString()));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("O2.NC"))));
}

void tst_Platform::stationNames()
{
    QCOMPARE(GetPCName(), QSysInfo::machineHostName());
    QVERIFY(!GetSessionUserName().isEmpty());
}

void tst_Platform::systemTimeToDate_data()
{
    QTest::addColumn<QList<int>>("fields");
    QTest::addColumn<QDateTime>("expected");
    const QDateTime epoch(QDate(1970, 1, 1), QTime(0, 0, 0), Qt::LocalTime);
    QTest::newRow("plain") << QList<int>{2024, 2, 29, 23, 59, 58}
                           << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58), Qt::LocalTime);
    QTest::newRow("no 29 Feb") << QList<int>{2023, 2, 29, 0, 0, 0} << epoch;
    QTest::newRow("hour 24") << QList<int>{2023, 1, 1, 24, 0, 0} << epoch;
    QTest::newRow("month 0") << QList<int>{2023, 0, 1, 0, 0, 0} << epoch;
}

void tst_Platform::systemTimeToDate()
{
    QFETCH(QList<int>, fields);
    QFETCH(QDateTime, expected);
    QCOMPARE(SystemTimeToDate(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]),
             expected);
}

void tst_Platform::fileTimeCrossesMidnight()
{
    // A station ahead of UTC shows 23:30 UTC on the next day.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const QDateTime utc(QDate(2024, 1, 15), QTime(23, 30, 15, 999), Qt::UTC);
    const QDateTime local = FileTimeToLocalDate(utc);
    QCOMPARE(local.date(), QDate(2024, 1, 16));
    QCOMPARE(local.time(), QTime(0, 30, 15));
    QCOMPARE(FileTimeToLocalDate(QDateTime()),
             QDateTime(QDate(1970, 1, 1), QTime(0, 0, 0), Qt::LocalTime));
    qunsetenv("TZ");
    tzset();
}

void tst_Platform::launchProgramUsesDirectory()
{
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("work dir"));
    QVERIFY(QDir().mkpath(work));
    LaunchCommand command;
    command.program = QStringLiteral("/bin/sh");
    command.arguments = {QStringLiteral("-c"), QStringLiteral("pwd > out.tmp && mv out.tmp out.txt")};
    QVERIFY(LaunchProgram(command, work));
    const QString out = work + QStringLiteral("/out.txt");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10000);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(f.readAll()).trimmed(), QDir(work).canonicalPath());
}

void tst_Platform::launchProgramFailureIsSilent()
{
    QTemporaryDir dir;
    LaunchCommand command;
    command.program = dir.filePath(QStringLiteral("no-such-editor"));
    QVERIFY(!LaunchProgram(command, dir.path()));
}

void tst_Platform::browseForFolderKeepsDialogOnInvalidName()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("NC")));
    QStringList messages;
    const MessagePresenter before = SetMessagePresenter([&](const QString &text, int) {
        messages << text;
        return int(MsgResultOk);
    });
    bool stayedOpen = false;
    QString title;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // Whatever fails below, the dialog must not stay up.
        const auto closer = qScopeGuard([dialog] {
            if (dialog->isVisible())
                dialog->reject();
        });
        title = dialog->windowTitle();
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QVERIFY(buttons);
        QPushButton *ok = buttons->button(QDialogButtonBox::Open);
        QVERIFY(ok);
        edit->setText(dir.filePath(QStringLiteral("missing")));
        QVERIFY(ok->isEnabled());
        ok->click();
        stayedOpen = dialog->isVisible() && dialog->result() != QDialog::Accepted;
        edit->setText(dir.filePath(QStringLiteral("NC")));
        QVERIFY(ok->isEnabled());
        ok->click();
    });
    const QString chosen = BrowseForFolder(nullptr, dir.path());
    SetMessagePresenter(before);
    QCOMPARE(title, QStringLiteral("Select a directory"));
    QVERIFY(stayedOpen);
    QCOMPARE(messages, QStringList{QStringLiteral("The Directory is invalid.")});
    QCOMPARE(chosen, QDir::toNativeSeparators(dir.filePath(QStringLiteral("NC"))));
}

void tst_Platform::browseForFolderCancel()
{
    QTemporaryDir dir;
    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->reject();
    });
    QCOMPARE(BrowseForFolder(nullptr, dir.path()), QString());
}

QTEST_MAIN(tst_Platform)
#include "tst_platform.moc"
