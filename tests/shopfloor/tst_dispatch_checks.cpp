#include <QtTest>

#include "Messages.h"
#include "RemoteCommandChecks.h"
#include "RequestSafety.h"
#include "TestSupport.h"

enum { Send, Receive, Editor };
struct Check {
    QString text;
    int action, answer;
    QString expectedName;  // under the directory; "" = stopped
    int message;           // 0 = none; Control or Outside: the refusals
    QString messageName;   // %1 of the message, under the directory
    QString command = "LOAD";
    QString root = "@";     // the action's folder; "@" = the test folder
};
enum { Control = -1, Outside = -2, NoFolder = -3 };
Q_DECLARE_METATYPE(Check)

// The checks before Go, Edit and View.
class tst_DispatchChecks : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QTemporaryDir m_outside; // another machine's folder
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
        const QString outside = m_outside.path() + '/';
        QVERIFY(QDir(outside).mkpath("dir"));
        for (const char *name : {"O1.NC", "O9.NC", "dir/O5.NC"})
            QVERIFY(QFile(outside + name).open(QIODevice::WriteOnly));
        MakeSymbolicLink(outside + "O9.NC", m_current + "LINK.NC");
        MakeSymbolicLink(outside + "dir", m_current + "OUT");
        MakeSymbolicLink(outside + "GONE.NC", m_current + "GONE.NC");
        MakeSymbolicLink(m_current + "O1.NC", m_current + "INLINK.NC");
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
        QTest::newRow("send existing") << Check{"O1", Send, 0, "O1.NC", 0, ""};
        QTest::newRow("send of blanks") << Check{"   ", Send, 0, "   .NC", 0, ""};
        QTest::newRow("editor: folder is no file") << Check{"SUB.NC", Editor, 0, "", 171, "SUB.NC"};
        // A name typed in another case finds the one file it names.
        QTest::newRow("send, other case") << Check{"o1", Send, 0, "O1.NC", 0, ""};
        QTest::newRow("receive over existing, other case") << Check{"o1.nc", Receive, MsgResultYes, "O1.NC", 178, "O1.NC"};
        QTest::newRow("send, two files differ by case only") << Check{"twin", Send, 0, "", 171, "twin.NC"};
        QTest::newRow("send, exact name among case twins") << Check{"Twin", Send, 0, "Twin.NC", 0, ""};
        // Nothing with a line break reaches the wire, nothing leaves the action's folder.
        QTest::newRow("line feed in the name") << Check{"O1\nSAVE evil", Send, 0, "", Control, "O1\nSAVE evil.NC"};
        QTest::newRow("CR LF after the command") << Check{"O1", Receive, 0, "", Control, "O1.NC", "LOAD\r\n"};
        QTest::newRow("editor: tab in the name") << Check{"O\t1", Editor, 0, "", Control, "O\t1.NC"};
        // The classes a server that splits lines the Unicode way may split at, and their kin.
        for (const char16_t c : {u'\x7F', u'\x85', u'\x9B', u'\u2028', u'\u2029', u'\u202E'}) {
            const QString name = "O1" + QString(QChar(c)) + "SAVE x";
            QTest::addRow("U+%04X in the name", unsigned(c)) << Check{name, Send, 0, "", Control, name + ".NC"};
        }
        QTest::newRow("editor: format character beyond the BMP")
            << Check{"O1" + QString::fromUcs4(U"\U000E0001"), Editor, 0, "", Control, "O1" + QString::fromUcs4(U"\U000E0001") + ".NC"};
        QTest::newRow("up and out") << Check{"../other/O1", Receive, 0, "", Outside, "../other/O1.NC"};
        QTest::newRow("down and back up stays inside") << Check{"SUB.NC/../O1", Send, 0, "SUB.NC/../O1.NC", 0, ""};
        // Symbolic links are judged by where they lead.
        QTest::newRow("send through a link out of the folder") << Check{"LINK", Send, 0, "", Outside, "LINK.NC"};
        QTest::newRow("editor: in a linked folder outside") << Check{"OUT/O5", Editor, 0, "", Outside, "OUT/O5.NC"};
        QTest::newRow("receive into a linked folder outside") << Check{"OUT/NEW", Receive, 0, "", Outside, "OUT/NEW.NC"};
        QTest::newRow("receive over a link to nowhere") << Check{"GONE", Receive, 0, "", Outside, "GONE.NC"};
        QTest::newRow("up from a linked folder") << Check{"OUT/../O1", Send, 0, "", Outside, "OUT/../O1.NC"};
        QTest::newRow("a link within the folder") << Check{"INLINK", Send, 0, "INLINK.NC", 0, ""};
        // No action folder: nothing goes.
        QTest::newRow("no root") << Check{"O1", Send, 0, "", NoFolder, "", "LOAD", ""};
    }
    void checks()
    {
        QFETCH(Check, c);
        const QByteArray tag = QTest::currentDataTag();
        if (tag.contains("link") && !SystemHasSymbolicLinks())
            QSKIP("no symbolic links here");
        // Where the file system itself ignores case, the name goes as typed.
        if (tag.contains("case") && QFileInfo::exists(m_current + "o1.nc"))
            QSKIP("the file system ignores case");
        m_answer = c.answer;
        const QStringList extensions{".NC", ".TXT"};
        const QString root = QString(c.root).replace('@', m_dir.path());
        const RequestCheck check = c.action == Editor
            ? CheckFileForEditor(c.text, m_current, root, extensions, QDir::separator())
            : CheckFileForGo(c.text, m_current, root, extensions, c.action, c.command, QDir::separator());
        const QString path = ShowVerdict(check.verdict) ? check.fullPath : QString();
        QCOMPARE(path, c.expectedName.isEmpty() ? QString() : m_current + c.expectedName);
        const QString arg = c.messageName.isEmpty() ? QString() : m_current + c.messageName;
        const QString line = c.action == Editor ? arg : c.command + ' ' + arg;
        const QString text = c.message == Control   ? ControlCharacterRefusal(line).text()
                             : c.message == Outside ? OutsideFolderRefusal(arg, root).text()
                             : c.message == NoFolder ? NoActionFolderRefusal(root).text()
                                                    : GetMessageText(c.message, arg);
        QCOMPARE(m_messages, c.message ? QStringList{text} : QStringList());
        QCOMPARE(m_styles, c.message ? QList<int>{c.message == 178 ? int(MsgYesNo) : int(MsgOkOnly)} : QList<int>());
    }
};

QTEST_MAIN(tst_DispatchChecks)
#include "tst_dispatch_checks.moc"
