#include <QtTest>
#include <QtWidgets>

#include "EditorArguments.h"
#include "EditorDocument.h"
#include "EditorWindow.h"

#include <optional>
#include <unistd.h>

static QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

static bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class tst_Edit : public QObject
{
    Q_OBJECT
    QTimer m_boxWatch;
    QList<QMessageBox::StandardButton> m_answers;  // for the next boxes, in turn
    QStringList m_boxes, m_unexpectedBoxes;
    std::optional<QTemporaryDir> m_dir;
    QString m_path;  // O1.NC in a fresh folder

    // Writes `bytes` as the file and loads it.
    bool load(EditorDocument &document, const QByteArray &bytes)
    {
        QString error;
        return WriteAll(m_path, bytes) && document.Load(m_path, &error);
    }

private slots:
    // Boxes are answered from m_answers; one nobody expected is closed and
    // fails the test instead of hanging it.
    void init()
    {
        m_dir.emplace();
        m_path = m_dir->filePath("O1.NC");
        m_answers.clear();
        m_boxes.clear();
        m_unexpectedBoxes.clear();
        m_boxWatch.setInterval(50);
        connect(&m_boxWatch, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            (m_answers.isEmpty() ? m_unexpectedBoxes : m_boxes) << box->text();
            m_answers.isEmpty() ? box->reject() : box->button(m_answers.takeFirst())->click();
        });
        m_boxWatch.start();
    }
    void cleanup()
    {
        m_boxWatch.stop();
        m_boxWatch.disconnect();
        m_dir.reset();
        QVERIFY2(m_unexpectedBoxes.isEmpty(), qPrintable(m_unexpectedBoxes.join('\n')));
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("file");  // "" = refused
        QTest::addColumn<bool>("viewOnly");
        QTest::newRow("edit") << QStringList{"/nc/O1.NC"} << "/nc/O1.NC" << false;
        QTest::newRow("switch first") << QStringList{"-o", "/nc/O1.NC"} << "/nc/O1.NC" << true;
        QTest::newRow("switch with its blanks") << QStringList{"D:\\NC PROGS\\O1.NC", " -o "} << "D:\\NC PROGS\\O1.NC" << true;
        QTest::newRow("upper-case switch") << QStringList{"O1.NC", "-O"} << "O1.NC" << true;
        QTest::newRow("no file") << QStringList{"-o"} << "" << true;
        QTest::newRow("two files") << QStringList{"A.NC", "B.NC"} << "" << false;
    }
    void arguments()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, file);
        QFETCH(bool, viewOnly);
        const EditorArguments parsed = ParseEditorArguments(words);
        QCOMPARE(parsed.error.isEmpty(), !file.isEmpty());
        QCOMPARE(parsed.filePath, file);
        QCOMPARE(parsed.viewOnly, viewOnly);
    }

    void loadFailures()
    {
        QVERIFY(QDir(m_dir->path()).mkdir("folder"));
        for (const char *name : {"NOPE.NC", "folder"}) {
            const QString path = m_dir->filePath(name);
            EditorDocument document;
            QString error;
            QVERIFY(!document.Load(path, &error));
            QVERIFY2(error.contains(path), qPrintable(error));
        }
    }

    // Saved through the real window, so that the text widget's own conversions count.
    void saveKeepsBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("lineEnding");
        QTest::addColumn<QString>("typed");  // at the end of the last line; "\n" is Enter, then Shift+Enter
        QTest::addColumn<QByteArray>("expected");
        QByteArray every;
        for (int i = 0; i < 256; ++i)
            if (i != '\n' && i != '\r')
                every.append(char(i));
        const auto unchanged = [](const char *name, const QByteArray &bytes, const char *encoding, const char *ending) {
            QTest::newRow(name) << bytes << encoding << ending << "" << bytes;
        };
        unchanged("CRLF, Latin-1 with no-break space", "%\r\nO1234 (M\xC4SS \xA0)\r\nG0 X0\r\n%\r\n", "Latin-1", "CRLF");
        unchanged("LF, no final line break", "O1\nG1 X1\nM30", "Latin-1", "LF");
        unchanged("CR only", "O1\rG1\r", "Latin-1", "CR");
        unchanged("empty file", "", "Latin-1", QDir::separator() == '\\' ? "CRLF" : "LF");
        unchanged("every byte", every + "\r\n", "Latin-1", "CRLF");
        unchanged("UTF-8", "O1 (\xC3\x9C" "BERSCHRIFT \xE2\x82\xAC)\n", "UTF-8", "LF");
        unchanged("UTF-8 with BOM", "\xEF\xBB\xBFO1\r\n", "UTF-8 with BOM", "CRLF");
        unchanged("cut-off UTF-8 is Latin-1", "O1 \xC3\x9C \xC3", "Latin-1", "LF");
        QTest::newRow("typed, CRLF Latin-1") << QByteArray("O1 (\xC4)\r\nM30\r\n") << "Latin-1" << "CRLF"
                                             << "\nG4" << QByteArray("O1 (\xC4)\r\nM30\r\nG4\r\n");
        QTest::newRow("typed, LF UTF-8") << QByteArray("O1 (\xE2\x82\xAC)\nM30\n") << "UTF-8" << "LF"
                                         << "\n\xC3\x84\nG4" << QByteArray("O1 (\xE2\x82\xAC)\nM30\n\xC3\x84\nG4\n");
        QTest::newRow("typed, mixed endings become the most frequent")
            << QByteArray("A\r\nB\r\nC\n") << "Latin-1" << "CRLF" << "\nD" << QByteArray("A\r\nB\r\nC\r\nD\r\n");
    }
    void saveKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(QString, lineEnding);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        EditorDocument document;
        QVERIFY(load(document, bytes));
        QCOMPARE(document.EncodingName(), encoding);
        QCOMPARE(document.LineEndingName(), lineEnding);
        QCOMPARE(document.HasMixedLineEndings(), QByteArray(QTest::currentDataTag()).contains("mixed"));
        EditorWindow window(document, false);
        auto *edit = window.findChild<QPlainTextEdit *>();
        edit->moveCursor(QTextCursor::End);
        edit->moveCursor(QTextCursor::Up);
        edit->moveCursor(QTextCursor::EndOfLine);
        const QStringList lines = typed.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(edit, Qt::Key_Return, i % 2 ? Qt::NoModifier : Qt::ShiftModifier);
            QTest::keyClicks(edit, lines[i]);
        }
        QCOMPARE(window.isWindowModified(), !typed.isEmpty());
        if (document.HasMixedLineEndings())
            m_answers << QMessageBox::Yes;
        QVERIFY(window.Save());
        QCOMPARE(ReadAll(m_path), expected);
        QVERIFY(!window.isWindowModified());
        QVERIFY(m_answers.isEmpty());
    }

    void saveReplacesAtomically_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");  // empty: refused
        QTest::newRow("saved") << QByteArray("OLD\n") << "NEW\n" << QByteArray("NEW\n");
        QTest::newRow("character outside the encoding") << QByteArray("O1 (\xC4)\r\n") << "O1 (\u20AC)\n" << QByteArray();
    }
    void saveReplacesAtomically()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        EditorDocument document;
        QVERIFY(load(document, bytes));
        // A second name for the old file: it keeps the old bytes only when the
        // save writes a new file and renames it over, never writing in place.
        const QString before = m_dir->filePath("before.NC");
        QCOMPARE(::link(QFile::encodeName(m_path).constData(), QFile::encodeName(before).constData()), 0);
        QString error;
        QCOMPARE(document.Save(text, &error), !expected.isEmpty());
        QVERIFY2(expected.isEmpty() == error.contains("Latin-1"), qPrintable(error));
        QCOMPARE(ReadAll(m_path), expected.isEmpty() ? bytes : expected);
        QCOMPARE(ReadAll(before), bytes);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"before.NC", "O1.NC"}));
    }

    void changeByAnotherProgramIsAskedAbout()
    {
        EditorDocument document;
        QVERIFY(load(document, "O1\n"));
        QVERIFY(!document.ChangedOnDisk());
        EditorWindow window(document, false);
        QVERIFY(WriteAll(m_path, "O2\n"));
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        file.close();
        m_answers << QMessageBox::No;
        QVERIFY(!window.Save());
        QVERIFY(m_boxes.value(0).contains(m_path));
        QCOMPARE(ReadAll(m_path), QByteArray("O2\n"));
        m_answers << QMessageBox::Yes;
        QVERIFY(window.Save());
        QCOMPARE(ReadAll(m_path), QByteArray("O1\n"));
    }

    void closing_data()
    {
        QTest::addColumn<bool>("viewOnly");
        QTest::addColumn<int>("answer");  // 0: no question
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("view only changes nothing") << true << 0 << true << QByteArray("O1\r\n");
        QTest::newRow("cancel") << false << int(QMessageBox::Cancel) << false << QByteArray("O1\r\n");
        QTest::newRow("discard") << false << int(QMessageBox::Discard) << true << QByteArray("O1\r\n");
        QTest::newRow("save") << false << int(QMessageBox::Save) << true << QByteArray("XO1\r\n");
    }
    void closing()
    {
        QFETCH(bool, viewOnly);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(QByteArray, expected);
        EditorDocument document;
        QVERIFY(load(document, "O1\r\n"));
        EditorWindow window(document, viewOnly);
        window.show();
        auto *edit = window.findChild<QPlainTextEdit *>();
        QTest::keyClicks(edit, "X");
        if (viewOnly) {
            QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
            QVERIFY(!window.Save());
        }
        QCOMPARE(edit->toPlainText(), viewOnly ? "O1\n" : "XO1\n");
        QVERIFY(window.windowTitle().contains("O1.NC"));
        if (answer)
            m_answers << QMessageBox::StandardButton(answer);
        QCOMPARE(window.close(), closes);
        QCOMPARE(ReadAll(m_path), expected);
        QVERIFY(m_answers.isEmpty());
    }

    void viewProcessStartsAndCloses()
    {
        const QString path = m_dir->filePath("O 1.NC");
        QVERIFY(WriteAll(path, "O1\r\nM30\r\n"));
        QProcess editor;
        // As the station starts it elsewhere than on Windows: the switch as its own word.
        editor.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-edit", {path, " -o "});
        QVERIFY(editor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(editor.state() != QProcess::Running || editor.peek(256).contains('\n'), 20000);
        QVERIFY2(editor.state() == QProcess::Running, editor.readAllStandardError().constData());
        QCOMPARE(QString::fromLocal8Bit(editor.readLine()).trimmed(), QString("Viewing %1 (Latin-1, CRLF)").arg(path));
        editor.terminate();
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
        QCOMPARE(ReadAll(path), QByteArray("O1\r\nM30\r\n"));
    }
};

QTEST_MAIN(tst_Edit)
#include "tst_edit.moc"
