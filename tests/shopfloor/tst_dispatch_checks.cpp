#include <QtTest>

#include "EditorCommand.h"
#include "Messages.h"
#include "RemoteCommandChecks.h"
#include "RequestSafety.h"

enum { Send, Receive, Editor };
struct Check {
    QString text;
    int action, answer;
    QString expectedName;  // under the directory; "" = stopped
    int message;           // 0 = none; Control or Outside: the refusals
    QString messageName;   // %1 of the message, under the directory
    QString command = "LOAD";
};
enum { Control = -1, Outside = -2 };
Q_DECLARE_METATYPE(Check)

// The checks before Go, Edit and View, and the editor's command line.
class tst_DispatchChecks : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_current;  // the directory shown, with a trailing separator
    QStringList m_messages;
    QList<int> m_styles;
    int m_answer = MsgResultOk;

private slots:
    void init()
    {
        m_current = m_dir.path() + '/';
        for (const char *name : {"O1.NC", "   .NC", "PART 7.NC", "Twin.NC", "TWIN.NC"})
            QVERIFY(QFile(m_current + name).open(QIODevice::WriteOnly));
        QVERIFY(QDir(m_current).mkpath("SUB.NC"));
        m_messages.clear();
        m_styles.clear();
        SetMessagePresenter([this](const QString &text, int style) {
            m_messages << text;
            m_styles << style;
            return m_answer;
        });
    }
    void cleanup() { SetMessagePresenter({}); }

    void checks_data()
    {
        QTest::addColumn<Check>("c");
        QTest::newRow("empty name") << Check{"", Send, 0, "", 177, ""};
        QTest::newRow("send existing") << Check{"O1", Send, 0, "O1.NC", 0, ""};
        QTest::newRow("send with blanks") << Check{"PART 7", Send, 0, "PART 7.NC", 0, ""};
        QTest::newRow("send of blanks") << Check{"   ", Send, 0, "   .NC", 0, ""};
        QTest::newRow("send missing") << Check{"O2", Send, 0, "", 171, "O2.NC"};
        QTest::newRow("send a folder") << Check{"SUB", Send, 0, "", 171, "SUB.NC"};
        QTest::newRow("receive missing asks nothing") << Check{"O2", Receive, 0, "O2.NC", 0, ""};
        QTest::newRow("receive over existing, Yes") << Check{"O1", Receive, MsgResultYes, "O1.NC", 178, "O1.NC"};
        QTest::newRow("receive over existing, No") << Check{"O1", Receive, MsgResultNo, "", 178, "O1.NC"};
        QTest::newRow("editor: empty") << Check{"", Editor, 0, "", 177, ""};
        QTest::newRow("editor: default extension") << Check{"O1", Editor, 0, "O1.NC", 0, ""};
        QTest::newRow("editor: missing") << Check{"O9", Editor, 0, "", 171, "O9.NC"};
        QTest::newRow("editor: folder is no file") << Check{"SUB.NC", Editor, 0, "", 171, "SUB.NC"};
        // A name typed in another case finds the one file it names.
        QTest::newRow("send, other case") << Check{"o1", Send, 0, "O1.NC", 0, ""};
        QTest::newRow("receive over existing, other case") << Check{"o1.nc", Receive, MsgResultYes, "O1.NC", 178, "O1.NC"};
        QTest::newRow("editor: other case, blanks") << Check{"part 7", Editor, 0, "PART 7.NC", 0, ""};
        QTest::newRow("send, two files differ by case only") << Check{"twin", Send, 0, "", 171, "twin.NC"};
        QTest::newRow("send, exact name among case twins") << Check{"Twin", Send, 0, "Twin.NC", 0, ""};
        // Nothing with a line break reaches the wire, nothing leaves the action's folder.
        QTest::newRow("line feed in the name") << Check{"O1\nSAVE evil", Send, 0, "", Control, "O1\nSAVE evil.NC"};
        QTest::newRow("CR LF after the command") << Check{"O1", Receive, 0, "", Control, "O1.NC", "LOAD\r\n"};
        QTest::newRow("editor: tab in the name") << Check{"O\t1", Editor, 0, "", Control, "O\t1.NC"};
        QTest::newRow("up and out") << Check{"../other/O1", Receive, 0, "", Outside, "../other/O1.NC"};
        QTest::newRow("editor: up and out") << Check{"SUB.NC/../../O1", Editor, 0, "", Outside, "SUB.NC/../../O1.NC"};
        QTest::newRow("down and back up stays inside") << Check{"SUB.NC/../O1", Send, 0, "SUB.NC/../O1.NC", 0, ""};
    }
    void checks()
    {
        QFETCH(Check, c);
        m_answer = c.answer;
        const QStringList extensions{".NC", ".TXT"};
        const QString root = m_dir.path();
        const QString path = c.action == Editor
            ? CheckFileForEditor(c.text, m_current, root, extensions, '/')
            : CheckFileForGo(c.text, m_current, root, extensions, c.action, c.command, '/');
        QCOMPARE(path, c.expectedName.isEmpty() ? QString() : m_current + c.expectedName);
        const QString arg = c.messageName.isEmpty() ? QString() : m_current + c.messageName;
        const QString line = c.action == Editor ? arg : c.command + ' ' + arg;
        const QString text = c.message == Control   ? ControlCharacterErrorText(line)
                             : c.message == Outside ? OutsideFolderErrorText(arg, root)
                                                    : GetMessageText(c.message, arg);
        QCOMPARE(m_messages, c.message ? QStringList{text} : QStringList());
        QCOMPARE(m_styles, c.message ? QList<int>{c.message == 178 ? int(MsgYesNo) : int(MsgOkOnly)} : QList<int>());
    }

    void editorCommandLine()
    {
        const LaunchCommand view = EditorCommandLine("C:\\Apps\\Ed.exe", "D:\\NC\\O1.NC", true);
        QCOMPARE(view.nativeCommandLine, "\"C:\\Apps\\Ed.exe\" \"D:\\NC\\O1.NC\" -o ");
        QCOMPARE(view.program, "C:\\Apps\\Ed.exe");
        QCOMPARE(view.arguments, (QStringList{"D:\\NC\\O1.NC", "-o"}));
        // Blanks stay inside one word.
        const LaunchCommand edit = EditorCommandLine("C:\\Program Files\\Ed.exe", "D:\\NC PROGS\\A B.NC", false);
        QCOMPARE(edit.nativeCommandLine, "\"C:\\Program Files\\Ed.exe\" \"D:\\NC PROGS\\A B.NC\"");
        QCOMPARE(edit.program, "C:\\Program Files\\Ed.exe");
        QCOMPARE(edit.arguments, QStringList{"D:\\NC PROGS\\A B.NC"});
        QCOMPARE(EditorWorkingDirectory("D:\\NC PROGS\\A B.NC", '\\'), "D:\\NC PROGS\\");
    }
};

QTEST_MAIN(tst_DispatchChecks)
#include "tst_dispatch_checks.moc"
