#include <QtTest>

#include "EditorCommand.h"
#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandChecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The checks before Go, Edit and View, and the editor's command line.
class tst_DispatchChecks : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void goChecks_data();
    void goChecks();
    void editorChecks_data();
    void editorChecks();
    void editorCommandLine_data();
    void editorCommandLine();
    void editorStartsWithFileAndFolder();

private:
    QTemporaryDir m_dir;
    QString m_current;  // the directory shown, with a trailing separator
    QStringList m_messages;
    QList<int> m_styles;
    int m_answer = MsgResultOk;
};

void tst_DispatchChecks::init()
{
    QVERIFY(m_dir.isValid());
    m_current = m_dir.path() + QLatin1Char('/');
    for (const char *name : {"O1.NC", "   .NC", "PART 7.NC"}) {
        QFile f(m_current + QLatin1String(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QDir(m_dir.path()).mkdir(QStringLiteral("SUB.NC"));
    m_messages.clear();
    m_styles.clear();
    SetMessagePresenter([this](const QString &text, int style) {
        m_messages << text;
        m_styles << style;
        return m_answer;
    });
}

void tst_DispatchChecks::cleanup()
{
    SetMessagePresenter({});
}

void tst_DispatchChecks::goChecks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("expectedName");  // under the directory; "" = stopped
    QTest::addColumn<int>("message");           // 0 = none
    QTest::addColumn<QString>("messageName");   // %1 of the message, under the directory

    QTest::newRow("empty name") << "" << 0 << 0 << "" << 177 << "";
    QTest::newRow("send existing") << "O1" << 0 << 0 << "O1.NC" << 0 << "";
    QTest::newRow("send with blanks") << "PART 7" << 0 << 0 << "PART 7.NC" << 0 << "";
    QTest::newRow("send of blanks") << "   " << 0 << 0 << "   .NC" << 0 << "";
    QTest::newRow("send missing") << "O2" << 0 << 0 << "" << 171 << "O2.NC";
    QTest::newRow("send a folder") << "SUB" << 0 << 0 << "" << 171 << "SUB.NC";
    QTest::newRow("receive missing asks nothing") << "O2" << 1 << 0 << "O2.NC" << 0 << "";
    QTest::newRow("receive over existing, Yes") << "O1" << 1 << int(MsgResultYes) << "O1.NC" << 178 << "O1.NC";
    QTest::newRow("receive over existing, No") << "O1" << 1 << int(MsgResultNo) << "" << 178 << "O1.NC";
}

void tst_DispatchChecks::goChecks()
{
    QFETCH(QString, text);
    QFETCH(int, action);
    QFETCH(int, answer);
    QFETCH(QString, expectedName);
    QFETCH(int, message);
    QFETCH(QString, messageName);
    m_answer = answer;

    const QString path = CheckFileForGo(text, m_current, {".NC", ".TXT"}, action, QLatin1Char('/'));
    QCOMPARE(path, expectedName.isEmpty() ? QString() : m_current + expectedName);
    if (message == 0) {
        QCOMPARE(m_messages, QStringList());
        return;
    }
    const QString arg = messageName.isEmpty() ? QString() : m_current + messageName;
    QCOMPARE(m_messages, QStringList{GetMessageText(message, arg)});
    QCOMPARE(m_styles, QList<int>{message == 178 ? int(MsgYesNo) : int(MsgOkOnly)});
}

void tst_DispatchChecks::editorChecks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("messageName");
    QTest::newRow("empty") << "" << "" << 177 << "";
    QTest::newRow("default extension, exists") << "O1" << "O1.NC" << 0 << "";
    QTest::newRow("missing names the full path") << "O9" << "" << 171 << "O9.NC";
    QTest::newRow("folder is no file") << "SUB.NC" << "" << 171 << "SUB.NC";
}

void tst_DispatchChecks::editorChecks()
{
    QFETCH(QString, text);
    QFETCH(QString, expectedName);
    QFETCH(int, message);
    QFETCH(QString, messageName);
    const QString path = CheckFileForEditor(text, m_current, {".NC", ".TXT"}, QLatin1Char('/'));
    QCOMPARE(path, expectedName.isEmpty() ? QString() : m_current + expectedName);
    if (message == 0)
        QCOMPARE(m_messages, QStringList());
    else if (message == 177)
        QCOMPARE(m_messages, QStringList{GetMessageText(177)});
    else
        QCOMPARE(m_messages,
                 QStringList{GetMessageText(171, m_current + messageName)});
}

void tst_DispatchChecks::editorCommandLine_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("view");
    QTest::addColumn<QString>("native");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("view") << "C:\\Apps\\Ed.exe" << "D:\\NC\\O1.NC" << true
                          << "\"C:\\Apps\\Ed.exe\" \"D:\\NC\\O1.NC\" -o "
                          << QStringList{"D:\\NC\\O1.NC", "-o"};
    QTest::newRow("edit") << "C:\\Apps\\Ed.exe" << "D:\\NC\\O1.NC" << false
                          << "\"C:\\Apps\\Ed.exe\" \"D:\\NC\\O1.NC\""
                          << QStringList{"D:\\NC\\O1.NC"};
    QTest::newRow("blanks stay whole") << "C:\\Program Files\\Ed.exe" << "D:\\NC PROGS\\A B.NC" << false
                                       << "\"C:\\Program Files\\Ed.exe\" \"D:\\NC PROGS\\A B.NC\""
                                       << QStringList{"D:\\NC PROGS\\A B.NC"};
}

void tst_DispatchChecks::editorCommandLine()
{
    QFETCH(QString, editor);
    QFETCH(QString, file);
    QFETCH(bool, view);
    QFETCH(QString, native);
    QFETCH(QStringList, arguments);
    const LaunchCommand command = EditorCommandLine(editor, file, view);
    QCOMPARE(command.nativeCommandLine, native);
    QCOMPARE(command.program, editor);
    QCOMPARE(command.arguments, arguments);
    QCOMPARE(EditorWorkingDirectory(file, QLatin1Char('\\')), QString(file).left(file.lastIndexOf('\\') + 1));
}

void tst_DispatchChecks::editorStartsWithFileAndFolder()
{
    // A stand-in editor that records its arguments and working folder.
    const QString editor = m_dir.filePath(QStringLiteral("editor.sh"));
    const QString record = m_dir.filePath(QStringLiteral("record"));
    {
        QFile script(editor);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > \"$0.tmp\"\n"
                     "mv \"$0.tmp\" \"" + record.toUtf8() + "\"\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    }
    const QString file = m_current + QStringLiteral("PART 7.NC");
    QVERIFY(LaunchProgram(EditorCommandLine(editor, file, true), EditorWorkingDirectory(file, QLatin1Char('/'))));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile f(record);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{QDir(m_dir.path()).canonicalPath(), "[" + file + "]", "[-o]"}));
}

QTEST_MAIN(tst_DispatchChecks)
#include "tst_dispatch_checks.moc"
