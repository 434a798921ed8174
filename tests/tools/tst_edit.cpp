#include <QtTest>
#include <QtWidgets>

#include "EditorDocument.h"
#include "EditorFiles.h"
#include "EditorWindow.h"
#include "FileBytes.h"
#include "TestSupport.h"

#include <QLocalServer>
#include <QOperatingSystemVersion>

#include <optional>

// Makes `path` refuse writes (or allows them again): for root, whom
// permissions do not stop, by the immutable attribute.
static bool Lock(const QString &path, bool locked = true)
{
    if (!PermissionsBind())
        return QProcess::execute("chattr", {locked ? "+i" : "-i", path}) == 0;
    return QFile::setPermissions(path, locked ? QFile::ReadOwner | QFile::ExeOwner
                                              : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

class tst_Edit : public QObject
{
    Q_OBJECT
    QTimer m_boxWatch;
    QList<QMessageBox::StandardButton> m_answers;  // for the next boxes, in turn
    QStringList m_boxes, m_unexpectedBoxes;
    std::optional<QTemporaryDir> m_dir;
    QString m_path;  // O1.NC in a fresh folder
    QTemporaryDir m_data;  // XDG_DATA_HOME, where in-place saves keep their safety copies

    QStringList safetyCopies() const
    {
        return QDir(DefaultSafetyFolder()).entryList(QDir::Files | QDir::Hidden);
    }

    bool load(EditorDocument &document, const QByteArray &bytes)
    {
        QString error;
        return WriteFileBytes(m_path, bytes) && document.Load(m_path, &error);
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
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
        // On Windows the folder is the system's, in the fresh Wine prefix the suites run in.
        if (QOperatingSystemVersion::currentType() != QOperatingSystemVersion::Windows)
            QVERIFY(DefaultSafetyFolder().startsWith(m_data.path()));
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

    // Saved through the real window, so that the text widget's own conversions count;
    // binary content is shown, never saved back.
    void saveKeepsBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("typed");  // at the start; "\n" is Enter, "\r" Shift+Enter
        QTest::addColumn<QByteArray>("expected");
        QByteArray every;  // that text may hold
        for (int i = 0; i < 256; ++i)
            every += i == '\n' || i == '\r' || (i < 0x20 && !(i >= 9 && i <= 12) && !(i >= 0x11 && i <= 0x14) && i != 0x1A) ? ' ' : char(i);
        const auto unchanged = [](const char *name, const QByteArray &bytes) { QTest::newRow(name) << bytes << "" << bytes; };
        unchanged("CRLF, every text byte", "%\r\n" + every + "\r\nM30\r\n");
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
        QTest::newRow("typed, mixed endings kept, a new line takes the most frequent")
            << QByteArray("A\r\nB\r\nC\n") << "D\n" << QByteArray("D\r\nA\r\nB\r\nC\n");
        QTest::newRow("typed into a line, mixed endings: its own ending kept")
            << QByteArray("A\rB\nC\r\n") << "x" << QByteArray("xA\rB\nC\r\n");
        QTest::newRow("typed, CR only") << QByteArray("O1\rM30\r") << "G4\n" << QByteArray("G4\rO1\rM30\r");
        QTest::newRow("typed, Unicode separators and frame mark kept")
            << QByteArray("O1\xE2\x80\xA9G1\xE2\x80\xA8X\xEF\xB7\x90Y\nM30\n") << "G4\n"
            << QByteArray("G4\nO1\xE2\x80\xA9G1\xE2\x80\xA8X\xEF\xB7\x90Y\nM30\n");
        QTest::newRow("typed outside Latin-1 is refused") << QByteArray("O1 (\xC4)\r\n") << "\xE2\x82\xAC"
                                                          << QByteArray("<refused>");
        QTest::newRow("binary: NUL") << QByteArray("O1\0M30\n", 7) << "X" << QByteArray("<binary>");
        QTest::newRow("binary: program file, LF and CR") << QByteArray("\x7F" "ELF\x02\x01\x01\x00\n\x03\r\n\rX\n", 16) << "X"
                                                         << QByteArray("<binary>");
        QTest::newRow("binary: escape sequence") << QByteArray("O1\x1B[2J\r\n") << "X" << QByteArray("<binary>");
    }
    void saveKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        const bool refused = expected == "<refused>", binary = expected == "<binary>";
        EditorDocument document;
        QVERIFY(load(document, bytes));
        QCOMPARE(document.IsBinary(), binary);
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
        QCOMPARE(window.isWindowModified(), !typed.isEmpty() && !binary);
        QCOMPARE(window.IsViewOnly(), binary);
        QVERIFY(!binary || window.ViewOnlyReason().contains("binary"));
        if (refused)
            m_answers << QMessageBox::Ok;
        QCOMPARE(window.Save(), !refused && !binary);
        QVERIFY(!refused || m_boxes.value(0).contains("Latin-1"));
        QCOMPARE(ReadFileBytes(m_path), refused || binary ? bytes : expected);
        QCOMPARE(ReadFileBytes(before), bytes);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"before.NC", "O1.NC"}));
        QCOMPARE(window.isWindowModified(), refused);
        QVERIFY(refused || window.close());
    }

    // What is not a plain file is refused by the program before it reads or waits.
    void refusesSpecialFiles_data()
    {
        QTest::addColumn<QString>("path");  // "@name": made in the test folder
        QTest::addColumn<QString>("said");
        QTest::newRow("zero device") << "/dev/zero" << "is a device";
        QTest::newRow("link to the random device") << "@random" << "is a device";
        QTest::newRow("FIFO") << "@fifo" << "is a pipe (FIFO)";
        QTest::newRow("socket") << "@socket" << "is a socket";
        QTest::newRow("folder") << "@folder" << "is a folder";
        QTest::newRow("over the size limit") << "@large" << "is larger than 64 MB";
    }
    void refusesSpecialFiles()
    {
        if (!SystemHasFifos())
            QSKIP("devices, FIFOs and sockets of Unix");
        QFETCH(QString, path);
        QFETCH(QString, said);
        QLocalServer listener;
        if (path.startsWith('@')) {
            path = m_dir->filePath(path.mid(1));
            if (path.endsWith("random"))
                QVERIFY(QFile::link("/dev/urandom", path));
            if (path.endsWith("fifo"))
                QVERIFY(MakeFifo(path));
            if (path.endsWith("folder"))
                QVERIFY(QDir().mkdir(path));
            if (path.endsWith("large")) {
                QFile sparse(path);
                QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(64 * 1024 * 1024 + 1));
            }
            if (path.endsWith("socket"))
                QVERIFY(listener.listen(path));
        }
        QProcess editor;
        editor.setReadChannel(QProcess::StandardError);
        editor.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-edit", {path});
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += editor.readAll()).contains("plain file") || err.contains("MB, more than")
                                     || editor.state() == QProcess::NotRunning, 20000);
        editor.kill();  // the message box waits for an answer
        editor.waitForFinished();
        QVERIFY2(err.contains(QFile::encodeName(path) + ' ' + said.toUtf8()), err.constData());
    }

    // The folder refuses new files (and with it the temporary file of a safe
    // save), the file itself may be written: it is written in place.
    void savesInPlaceWhenFolderIsLocked()
    {
        EditorDocument document;
        QVERIFY(load(document, "O1\r\nM30\r\n"));
        EditorWindow window(document, false);
        QVERIFY(Lock(m_dir->path()));
        QTest::keyClicks(window.findChild<QPlainTextEdit *>(), "G4 ");
        const bool saved = window.Save();
        const QStringList boxes = m_boxes;
        QVERIFY(Lock(m_dir->path(), false));
        QVERIFY2(saved, qPrintable(boxes.join('\n')));
        QCOMPARE(ReadFileBytes(m_path), QByteArray("G4 O1\r\nM30\r\n"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"O1.NC"});
        QCOMPARE(safetyCopies(), QStringList());
        // Neither may be written: nothing is, and the message says why.
        QVERIFY(Lock(m_dir->path()) && Lock(m_path));
        QTest::keyClicks(window.findChild<QPlainTextEdit *>(), "X");
        m_answers << QMessageBox::Ok;
        const bool savedLocked = window.Save();
        QVERIFY(Lock(m_path, false) && Lock(m_dir->path(), false));
        QVERIFY(!savedLocked && m_boxes.value(0).contains("may not be written"));
        QCOMPARE(ReadFileBytes(m_path), QByteArray("G4 O1\r\nM30\r\n"));
    }

    // A share that reports a full disk only when the file is closed: the save
    // fails, and the old bytes stay in the safety copy that the message names.
    void inPlaceFailureKeepsSafetyCopy_data()
    {
        QTest::addColumn<int>("failures");  // of closing O1.NC, counted from the write
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<QString>("said");
        QTest::newRow("write fails at close") << 1 << QByteArray("O1\r\nM30\r\n") << "it was left as it was";
        QTest::newRow("restoring fails too") << 2 << QByteArray("O") << "may be damaged";
    }
    void inPlaceFailureKeepsSafetyCopy()
    {
        QFETCH(int, failures);
        QFETCH(QByteArray, left);
        QFETCH(QString, said);
        QVERIFY(WriteFileBytes(m_path, "O1\r\nM30\r\n"));
        SaveOptions options;
        options.safetyFolder = m_dir->filePath("safety");
        QVERIFY(QDir().mkpath(options.safetyFolder));
        options.syncAndClose = [&](QFile &file) {
            if (file.fileName() != m_path || failures-- <= 0)
                return SyncAndClose(file);
            file.resize(1);  // what reached the disk
            file.close();
            return false;
        };
        QVERIFY(Lock(m_dir->path()));
        QString error;
        const bool saved = WriteFileSafely(m_path, "G4 O1\r\nM30\r\n", &error, options);
        QVERIFY(Lock(m_dir->path(), false));
        QVERIFY(!saved);
        QCOMPARE(ReadFileBytes(m_path), left);
        const QStringList copies = QDir(options.safetyFolder).entryList(QDir::Files);
        QCOMPARE(copies.size(), 1);
        const QString copy = QDir(options.safetyFolder).filePath(copies.first());
        QCOMPARE(ReadFileBytes(copy), QByteArray("O1\r\nM30\r\n"));
        QVERIFY2(error.contains(said) && error.contains(QDir::toNativeSeparators(copy)), qPrintable(error));
    }

    void viewProcessStartsAndCloses()
    {
        const QString path = m_dir->filePath("O 1.NC");
        QVERIFY(WriteFileBytes(path, "O1\r\nM30\r\n"));
        QProcess editor;
        // As the station starts it elsewhere than on Windows: the switch as its own word.
        editor.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-edit", {path, " -o "});
        QVERIFY(editor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(editor.state() != QProcess::Running || editor.peek(256).contains('\n'), 20000);
        QVERIFY2(editor.state() == QProcess::Running, editor.readAllStandardError().constData());
        QCOMPARE(QString::fromLocal8Bit(editor.readLine()).trimmed(), QString("Viewing %1 (Latin-1, CRLF)").arg(path));
        editor.terminate();
        QVERIFY(editor.waitForFinished(20000) && editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0);
        QCOMPARE(ReadFileBytes(path), QByteArray("O1\r\nM30\r\n"));
    }
};

QTEST_MAIN(tst_Edit)
#include "tst_edit.moc"
