#include <QtTest>

#include "EditorArguments.h"
#include "EditorDocument.h"
#include "EditorWindow.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray AllBytesButLineBreaks()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        if (i != '\n' && i != '\r')
            bytes.append(char(i));
    return bytes;
}

int g_pendingAnswers = 0;

// Answers the next message box with `button` once it is up.
void AnswerNextBox(QMessageBox::StandardButton button, QString *text = nullptr)
{
    ++g_pendingAnswers;
    QTimer::singleShot(0, [button, text] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        --g_pendingAnswers;
        if (!box)
            return AnswerNextBox(button, text);
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

} // namespace

class tst_Edit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void arguments_data();
    void arguments();
    void loadFailures_data();
    void loadFailures();
    void unchangedSaveKeepsBytes_data();
    void unchangedSaveKeepsBytes();
    void editKeepsEncodingAndLineEndings_data();
    void editKeepsEncodingAndLineEndings();
    void characterOutsideEncodingIsRefused();
    void saveReplacesAtomically();
    void changeByAnotherProgramIsAskedAbout();
    void viewOnlyCannotChangeFile();
    void closingWithChangesAsks_data();
    void closingWithChangesAsks();
    void viewProcessStartsAndCloses();

private:
    QTimer m_boxWatch;
    QStringList m_unexpectedBoxes;
};

// A box nobody expected is closed and fails the test instead of hanging it.
void tst_Edit::init()
{
    m_unexpectedBoxes.clear();
    m_boxWatch.setInterval(200);
    connect(&m_boxWatch, &QTimer::timeout, this, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || g_pendingAnswers > 0)
            return;
        m_unexpectedBoxes << box->text();
        box->reject();
    });
    m_boxWatch.start();
}

void tst_Edit::cleanup()
{
    m_boxWatch.stop();
    m_boxWatch.disconnect();
    QVERIFY2(m_unexpectedBoxes.isEmpty(), qPrintable(m_unexpectedBoxes.join(QLatin1Char('\n'))));
}

void tst_Edit::arguments_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("viewOnly");
    QTest::addColumn<bool>("valid");

    QTest::newRow("edit") << QStringList{"/nc/O1.NC"} << "/nc/O1.NC" << false << true;
    QTest::newRow("switch first") << QStringList{"-o", "/nc/O1.NC"} << "/nc/O1.NC" << true << true;
    QTest::newRow("switch with its blanks")
        << QStringList{"D:\\NC PROGS\\O1.NC", " -o "} << "D:\\NC PROGS\\O1.NC" << true << true;
    QTest::newRow("upper-case switch") << QStringList{"O1.NC", "-O"} << "O1.NC" << true << true;
    QTest::newRow("no file") << QStringList{"-o"} << "" << true << false;
    QTest::newRow("two files") << QStringList{"A.NC", "B.NC"} << "" << false << false;
}

void tst_Edit::arguments()
{
    QFETCH(QStringList, words);
    QFETCH(QString, file);
    QFETCH(bool, viewOnly);
    QFETCH(bool, valid);
    const EditorArguments parsed = ParseEditorArguments(words);
    QCOMPARE(parsed.error.isEmpty(), valid);
    QCOMPARE(parsed.filePath, file);
    QCOMPARE(parsed.viewOnly, viewOnly);
}

void tst_Edit::loadFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << "NOPE.NC";
    QTest::newRow("folder") << "folder";
}

void tst_Edit::loadFailures()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString path = dir.filePath(name);
    EditorDocument document;
    QString error;
    QVERIFY(!document.Load(path, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
}

void tst_Edit::unchangedSaveKeepsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("lineEnding");

    QTest::newRow("CRLF, Latin-1 with no-break space")
        << QByteArray("%\r\nO1234 (M\xC4SS \xA0)\r\nG0 X0\r\n%\r\n") << "Latin-1" << "CRLF";
    QTest::newRow("LF, no final line break") << QByteArray("O1\nG1 X1\nM30") << "Latin-1" << "LF";
    QTest::newRow("CR only") << QByteArray("O1\rG1\r") << "Latin-1" << "CR";
    QTest::newRow("empty file") << QByteArray() << "Latin-1"
#ifdef Q_OS_WIN
                                << "CRLF";
#else
                                << "LF";
#endif
    QTest::newRow("every byte") << AllBytesButLineBreaks() + "\r\n" << "Latin-1" << "CRLF";
    QTest::newRow("UTF-8") << QByteArray("O1 (\xC3\x9C" "BERSCHRIFT \xE2\x82\xAC)\n") << "UTF-8" << "LF";
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBFO1\r\n") << "UTF-8 with BOM" << "CRLF";
    QTest::newRow("cut-off UTF-8 is Latin-1") << QByteArray("O1 \xC3\x9C \xC3") << "Latin-1" << "LF";
}

void tst_Edit::unchangedSaveKeepsBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QFETCH(QString, lineEnding);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O1.NC"));
    QVERIFY(WriteAll(path, bytes));

    EditorDocument document;
    QString error;
    QVERIFY(document.Load(path, &error));
    QCOMPARE(document.EncodingName(), encoding);
    QCOMPARE(document.LineEndingName(), lineEnding);
    QVERIFY(!document.HasMixedLineEndings());

    // Through the real window, so that the text widget's own conversions count.
    EditorWindow window(document, false);
    QVERIFY(window.Save());
    QCOMPARE(ReadAll(path), bytes);
}

void tst_Edit::editKeepsEncodingAndLineEndings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("CRLF Latin-1") << QByteArray("O1 (\xC4)\r\nM30\r\n") << "\nG4"
                                  << QByteArray("O1 (\xC4)\r\nM30\r\nG4\r\n");
    QTest::newRow("LF UTF-8") << QByteArray("O1 (\xE2\x82\xAC)\nM30\n") << "\n\xC3\x84"
                              << QByteArray("O1 (\xE2\x82\xAC)\nM30\n\xC3\x84\n");
    QTest::newRow("mixed endings become the most frequent")
        << QByteArray("A\r\nB\r\nC\n") << "\nD" << QByteArray("A\r\nB\r\nC\r\nD\r\n");
}

void tst_Edit::editKeepsEncodingAndLineEndings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, typed);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O1.NC"));
    QVERIFY(WriteAll(path, bytes));
    EditorDocument document;
    QString error;
    QVERIFY(document.Load(path, &error));

    EditorWindow window(document, false);
    auto *edit = window.findChild<QPlainTextEdit *>();
    edit->moveCursor(QTextCursor::End);
    edit->moveCursor(QTextCursor::Up);
    edit->moveCursor(QTextCursor::EndOfLine);
    // Shift+Enter is a line break like Enter.
    const QStringList lines = typed.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return, i % 2 ? Qt::ShiftModifier : Qt::NoModifier);
        QTest::keyClicks(edit, lines[i]);
    }
    QVERIFY(window.isWindowModified());
    if (document.HasMixedLineEndings())
        AnswerNextBox(QMessageBox::Yes);
    QVERIFY(window.Save());
    QCOMPARE(ReadAll(path), expected);
    QVERIFY(!window.isWindowModified());
}

void tst_Edit::characterOutsideEncodingIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O1.NC"));
    const QByteArray bytes("O1 (\xC4)\r\n");
    QVERIFY(WriteAll(path, bytes));
    EditorDocument document;
    QString error;
    QVERIFY(document.Load(path, &error));
    QVERIFY(!document.Save(QStringLiteral("O1 (\u20AC)\n"), &error));
    QVERIFY2(error.contains(QStringLiteral("Latin-1")), qPrintable(error));
    QCOMPARE(ReadAll(path), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"O1.NC"});
}

void tst_Edit::saveReplacesAtomically()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O1.NC"));
    const QString before = dir.filePath(QStringLiteral("before.NC"));
    QVERIFY(WriteAll(path, "OLD\n"));
    // A second name for the old file: it keeps the old bytes only when the
    // save writes a new file and renames it over, never writing in place.
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(before).constData()), 0);
    EditorDocument document;
    QString error;
    QVERIFY(document.Load(path, &error));
    QVERIFY2(document.Save(QStringLiteral("NEW\n"), &error), qPrintable(error));
    QCOMPARE(ReadAll(path), QByteArray("NEW\n"));
    QCOMPARE(ReadAll(before), QByteArray("OLD\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"before.NC", "O1.NC"}));
#else
    QSKIP("hard links are a Unix test of the rename");
#endif
}

void tst_Edit::changeByAnotherProgramIsAskedAbout()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O1.NC"));
    QVERIFY(WriteAll(path, "O1\n"));
    EditorDocument document;
    QString error;
    QVERIFY(document.Load(path, &error));
    QVERIFY(!document.ChangedOnDisk());

    EditorWindow window(document, false);
    QVERIFY(WriteAll(path, "O2\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();

    QString question;
    AnswerNextBox(QMessageBox::No, &question);
    QVERIFY(!window.Save());
    QVERIFY(question.contains(path));
    QCOMPARE(ReadAll(path), QByteArray("O2\n"));

    AnswerNextBox(QMessageBox::Yes);
    QVERIFY(window.Save());
    QCOMPARE(ReadAll(path), QByteArray("O1\n"));
}

void tst_Edit::viewOnlyCannotChangeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O1.NC"));
    QVERIFY(WriteAll(path, "O1\r\n"));
    EditorDocument document;
    QString error;
    QVERIFY(document.Load(path, &error));
    EditorWindow window(document, true);
    auto *edit = window.findChild<QPlainTextEdit *>();
    QTest::keyClicks(edit, QStringLiteral("X"));
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(edit->toPlainText(), QStringLiteral("O1\n"));
    QVERIFY(!window.Save());
    QVERIFY(window.close());
    QCOMPARE(ReadAll(path), QByteArray("O1\r\n"));
    QVERIFY(window.windowTitle().contains(QStringLiteral("O1.NC")));
}

void tst_Edit::closingWithChangesAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << QByteArray("O1\n");
    QTest::newRow("discard") << int(QMessageBox::Discard) << true << QByteArray("O1\n");
    QTest::newRow("save") << int(QMessageBox::Save) << true << QByteArray("XO1\n");
}

void tst_Edit::closingWithChangesAsks()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O1.NC"));
    QVERIFY(WriteAll(path, "O1\n"));
    EditorDocument document;
    QString error;
    QVERIFY(document.Load(path, &error));
    EditorWindow window(document, false);
    window.show();
    QTest::keyClicks(window.findChild<QPlainTextEdit *>(), QStringLiteral("X"));

    AnswerNextBox(QMessageBox::StandardButton(answer));
    QCOMPARE(window.close(), closes);
    QCOMPARE(ReadAll(path), expected);
}

void tst_Edit::viewProcessStartsAndCloses()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("O 1.NC"));
    QVERIFY(WriteAll(path, "O1\r\nM30\r\n"));
    QProcess editor;
    editor.setProgram(QDir(qEnvironmentVariable("QS_BIN_DIR")).filePath(QStringLiteral("qspindrel-edit")));
    // As the station starts it elsewhere than on Windows: the switch as its own word.
    editor.setArguments({path, QStringLiteral(" -o ")});
    editor.start();
    QVERIFY(editor.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(editor.state() != QProcess::Running
                                 || editor.peek(256).contains('\n'),
                             20000);
    QVERIFY2(editor.state() == QProcess::Running, editor.readAllStandardError().constData());
    QCOMPARE(QString::fromLocal8Bit(editor.readLine()).trimmed(),
             QStringLiteral("Viewing %1 (Latin-1, CRLF)").arg(path));

    editor.terminate();
    QVERIFY(editor.waitForFinished(20000));
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), 0);
    QCOMPARE(ReadAll(path), QByteArray("O1\r\nM30\r\n"));
#else
    QSKIP("closes the editor with a termination signal");
#endif
}

QTEST_MAIN(tst_Edit)
#include "tst_edit.moc"
