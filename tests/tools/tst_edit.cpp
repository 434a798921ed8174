#include <QtTest>
#include <QtWidgets>

#include "EditorDocument.h"
#include "EditorFiles.h"
#include "EditorWindow.h"
#include "FileBytes.h"
#include "TestSupport.h"

#include <QLocalServer>

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
    QStringList m_boxes;  // the texts of the boxes shown, each closed at once
    std::optional<QTemporaryDir> m_dir;
    QString m_path;  // O1.NC in a fresh folder

private slots:
    void initTestCase()
    {
        connect(&m_boxWatch, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_boxes << box->text();
                box->reject();
            }
        });
        m_boxWatch.start(50);
    }
    void init()
    {
        m_dir.emplace();
        m_path = m_dir->filePath("O1.NC");
        m_boxes.clear();
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
        unchanged("empty file", "");
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
        QTest::newRow("binary: escape sequence") << QByteArray("O1\x1B[2J\r\n") << "X" << QByteArray("<binary>");
    }
    void saveKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        const bool refused = expected == "<refused>", binary = expected == "<binary>";
        EditorDocument document;
        QString error;
        QVERIFY(WriteFileBytes(m_path, bytes) && document.Load(m_path, &error));
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
        QCOMPARE(window.IsViewOnly() && window.ViewOnlyReason().contains("binary"), binary);
        QCOMPARE(window.Save(), !refused && !binary);
        QVERIFY2(m_boxes.size() == int(refused) && m_boxes.filter("Latin-1").size() == int(refused),
                 qPrintable(m_boxes.join('\n')));
        QCOMPARE(ReadFileBytes(m_path), refused || binary ? bytes : expected);
        QCOMPARE(ReadFileBytes(before), bytes);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"before.NC", "O1.NC"}));
        QCOMPARE(window.isWindowModified(), refused);
        QVERIFY(refused || window.close());
    }

    // What is not a plain file is refused by the program before it reads or waits.
    void refusesSpecialFiles_data()
    {
        QTest::addColumn<QString>("name");  // made in the test folder
        QTest::addColumn<QString>("said");
        QTest::newRow("link to the random device") << "random" << "is a device";
        QTest::newRow("FIFO") << "fifo" << "is a pipe (FIFO)";
        QTest::newRow("socket") << "socket" << "is a socket";
        QTest::newRow("folder") << "folder" << "is a folder";
        QTest::newRow("over the size limit") << "large" << "is larger than 64 MB";
    }
    void refusesSpecialFiles()
    {
        if (!SystemHasFifos())
            QSKIP("devices, FIFOs and sockets of Unix");
        QFETCH(QString, name);
        QFETCH(QString, said);
        const auto at = [this](const char *name) { return m_dir->filePath(name); };
        QVERIFY(QFile::link("/dev/urandom", at("random")) && MakeFifo(at("fifo")) && QDir().mkdir(at("folder")));
        QFile sparse(at("large"));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(64 * 1024 * 1024 + 1));
        QLocalServer listener;
        QVERIFY(listener.listen(at("socket")));
        const QString path = m_dir->filePath(name);
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

    // A folder that refuses new files (and with them the temporary file of a
    // safe save): the file is written in place, its old bytes kept first in a
    // safety copy. On a share that reports a full disk only when the file is
    // closed, the save fails and the copy stays, named in the message.
    void savesInPlaceWhenFolderIsLocked_data()
    {
        QTest::addColumn<int>("failures");  // of closing O1.NC, counted from the write; -1: the file is locked too
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<QString>("said");
        QTest::newRow("written in place") << 0 << QByteArray("G4 O1\r\nM30\r\n") << "";
        QTest::newRow("write fails at close") << 1 << QByteArray("O1\r\nM30\r\n") << "it was left as it was";
        QTest::newRow("restoring fails too") << 2 << QByteArray("O") << "may be damaged";
        QTest::newRow("file locked too") << -1 << QByteArray("O1\r\nM30\r\n") << "may not be written";
    }
    void savesInPlaceWhenFolderIsLocked()
    {
        QFETCH(int, failures);
        QFETCH(QByteArray, left);
        QFETCH(QString, said);
#ifdef Q_OS_WIN
        QSKIP("a folder refuses new files by an access rule, which Wine does not enforce");
#endif
        QVERIFY(WriteFileBytes(m_path, "O1\r\nM30\r\n"));
        SaveOptions options;
        options.safetyFolder = m_dir->filePath("safety");
        QVERIFY(QDir().mkpath(options.safetyFolder));
        int toFail = failures;
        options.syncAndClose = [&](QFile &file) {
            if (file.fileName() != m_path || toFail-- <= 0)
                return SyncAndClose(file);
            file.resize(1);  // what reached the disk
            file.close();
            return false;
        };
        QVERIFY(Lock(m_dir->path()) && (failures >= 0 || Lock(m_path)));
        QString error;
        const bool saved = WriteFileSafely(m_path, "G4 O1\r\nM30\r\n", &error, options);
        QVERIFY(Lock(m_path, false) && Lock(m_dir->path(), false));
        QCOMPARE(saved, said.isEmpty());
        QCOMPARE(ReadFileBytes(m_path), left);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"O1.NC"});
        const QStringList copies = QDir(options.safetyFolder).entryList(QDir::Files);
        QCOMPARE(copies.size(), int(failures > 0));
        const QString copy = copies.isEmpty() ? QString() : QDir(options.safetyFolder).filePath(copies.first());
        QVERIFY(copy.isEmpty() || ReadFileBytes(copy) == "O1\r\nM30\r\n");
        QVERIFY2(error.contains(said) && error.contains(QDir::toNativeSeparators(copy)), qPrintable(error));
    }
};

QTEST_MAIN(tst_Edit)
#include "tst_edit.moc"
