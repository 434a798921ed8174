#include <QtTest>
#include <QtWidgets>

#include "EditorDocument.h"
#include "EditorWindow.h"
#include "TestSupport.h"

#include <optional>

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

    bool load(EditorDocument &document, const QByteArray &bytes)
    {
        QString error;
        return WriteAll(m_path, bytes) && document.Load(m_path, &error);
    }

private slots:
    // Boxes are answered from m_answers; one nobody expected is closed and
    // fails the test instead of hanging it.
    void initTestCase()
    {
        connect(&m_boxWatch, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            (m_answers.isEmpty() ? m_unexpectedBoxes : m_boxes) << box->text();
            m_answers.isEmpty() ? box->reject() : box->button(m_answers.takeFirst())->click();
        });
        m_boxWatch.start(50);
    }
    void init()
    {
        m_dir.emplace();
        m_path = m_dir->filePath("O1.NC");
        m_answers.clear();
        m_boxes.clear();
        m_unexpectedBoxes.clear();
    }
    void cleanup()
    {
        m_dir.reset();
        QVERIFY2(m_unexpectedBoxes.isEmpty(), qPrintable(m_unexpectedBoxes.join('\n')));
        QVERIFY(m_answers.isEmpty());
    }

    // Saved through the real window, so that the text widget's own conversions count.
    void saveKeepsBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("typed");  // at the start; "\n" is Enter, "\r" Shift+Enter
        QTest::addColumn<QByteArray>("expected");
        QByteArray every;
        for (int i = 0; i < 256; ++i)
            every += i == '\n' || i == '\r' ? ' ' : char(i);
        const auto unchanged = [](const char *name, const QByteArray &bytes) { QTest::newRow(name) << bytes << "" << bytes; };
        unchanged("CRLF, every byte", "%\r\n" + every + "\r\nM30\r\n");
        unchanged("LF, no final line break", "O1\nG1 X1\nM30");
        unchanged("CR only", "O1\rG1\r");
        unchanged("empty file", "");
        unchanged("UTF-8", "O1 (\xC3\x9C" "BERSCHRIFT \xE2\x82\xAC)\n");
        unchanged("UTF-8 with BOM", "\xEF\xBB\xBFO1\r\n");
        unchanged("cut-off UTF-8 is Latin-1", "O1 \xC3\x9C \xC3");
        QTest::newRow("typed, CRLF Latin-1") << QByteArray("O1 (\xC4)\r\nM30\r\n") << "G4\n"
                                             << QByteArray("G4\r\nO1 (\xC4)\r\nM30\r\n");
        QTest::newRow("typed, LF UTF-8") << QByteArray("O1 (\xE2\x82\xAC)\nM30\n") << "G4\n\xC3\x84\r"
                                         << QByteArray("G4\n\xC3\x84\nO1 (\xE2\x82\xAC)\nM30\n");
        QTest::newRow("typed, mixed endings become the most frequent")
            << QByteArray("A\r\nB\r\nC\n") << "D\n" << QByteArray("D\r\nA\r\nB\r\nC\r\n");
        QTest::newRow("typed outside Latin-1 is refused") << QByteArray("O1 (\xC4)\r\n") << "\xE2\x82\xAC"
                                                          << QByteArray("<refused>");
    }
    void saveKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        const bool refused = expected == "<refused>";
        EditorDocument document;
        QVERIFY(load(document, bytes));
        // A second name for the old file: it keeps the old bytes only when the
        // save writes a new file and renames it over, never writing in place.
        const QString before = m_dir->filePath("before.NC");
        QVERIFY(MakeHardLink(m_path, before));
        EditorWindow window(document, false);
        auto *edit = window.findChild<QPlainTextEdit *>();
        edit->moveCursor(QTextCursor::Start);
        for (const QChar c : typed)
            if (c == '\n' || c == '\r')
                QTest::keyClick(edit, Qt::Key_Return, c == '\r' ? Qt::ShiftModifier : Qt::NoModifier);
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(window.isWindowModified(), !typed.isEmpty());
        if (refused || document.HasMixedLineEndings())
            m_answers << (refused ? QMessageBox::Ok : QMessageBox::Yes);
        QCOMPARE(window.Save(), !refused);
        QVERIFY(!refused || m_boxes.value(0).contains("Latin-1"));
        QCOMPARE(ReadAll(m_path), refused ? bytes : expected);
        QCOMPARE(ReadAll(before), bytes);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"before.NC", "O1.NC"}));
        QCOMPARE(window.isWindowModified(), refused);
    }

    // -o: no edit, no save, no question on closing.
    void viewOnlyChangesNothing()
    {
        EditorDocument document;
        QVERIFY(load(document, "O1\r\n"));
        EditorWindow window(document, true);
        window.show();
        auto *edit = window.findChild<QPlainTextEdit *>();
        QTest::keyClicks(edit, "X");
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!window.Save());
        QCOMPARE(edit->toPlainText(), "O1\n");
        QVERIFY(window.close());
        QCOMPARE(ReadAll(m_path), QByteArray("O1\r\n"));
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
        QVERIFY(editor.waitForFinished(20000) && editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0);
        QCOMPARE(ReadAll(path), QByteArray("O1\r\nM30\r\n"));
    }
};

QTEST_MAIN(tst_Edit)
#include "tst_edit.moc"
