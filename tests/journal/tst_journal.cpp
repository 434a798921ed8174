#include <QtTest>

#include "JournalFiles.h"
#include "JournalFilter.h"
#include "RequestJournal.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

// The journal's line format, files, filters and writer, on real files.

using namespace Qt::StringLiterals;

namespace {

JournalEntry SendEntry(const QString &name = u"Lathe"_s)
{
    JournalEntry e = NewJournalEntry(QDateTime(QDate(2026, 12, 7), QTime(14, 3, 22, 125), Qt::OffsetFromUTC, 3600));
    e.station = u"CELL-7"_s;
    e.login = u"anna"_s;
    e.machineId = 3;
    e.machineNumber = u"L-101"_s;
    e.machineName = name;
    e.address = u"10.0.0.5"_s;
    e.port = 5101;
    e.command = u"LOAD"_s;
    e.path = u"D:\\NC\\"_s + name + u".NC"_s;
    return e;
}

QByteArray Sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class tst_Journal : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

    QList<JournalEntry> read(const QString &folder)
    {
        QList<JournalEntry> entries;
        int skipped = -1;
        [&] { QVERIFY(ReadJournalFolder(folder, &entries, nullptr, &skipped)); QCOMPARE(skipped, 0); }();
        return entries;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void exactFields()
    {
        JournalEntry e = SendEntry();
        e.size = 1048576;
        e.modified = QDateTime(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
        e.sha256 = QString(64, u'a');
        e.outcome = JournalOutcome::Refused;
        e.messageId = 171;
        e.reason = u"The File D:\\NC\\Lathe.NC does not exist."_s;
        const QByteArray line = JournalLine(e);
        QVERIFY(line.endsWith('\n') && line.count('\n') == 1);
        const QJsonObject expected{
            {"id", e.id}, {"time", "2026-12-07T13:03:22.125Z"}, {"utcOffset", "+01:00"}, {"station", "CELL-7"},
            {"mode", "station"}, {"login", "anna"}, {"machineId", 3}, {"machineNumber", "L-101"},
            {"machineName", "Lathe"}, {"address", "10.0.0.5"}, {"port", 5101}, {"action", "send"},
            {"command", "LOAD"}, {"path", "D:\\NC\\Lathe.NC"}, {"size", 1048576},
            {"modified", "2026-12-06T09:00:00.000Z"}, {"sha256", QString(64, u'a')}, {"outcome", "refused"},
            {"messageId", 171}, {"reason", e.reason}};
        QCOMPARE(QJsonDocument::fromJson(line).object(), expected);
    }

    // Whatever a name holds, the line stays one line that a terminal shows
    // as it is, and reads back to the same entry.
    void namesAreEscaped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("line feed and return") << u"O1\nLOAD X\r"_s;
        QTest::newRow("escape, DEL, C1 CSI") << u"O1\x1b[2J\x7f"_s + QChar(0x9b) + u"31m"_s;
        QTest::newRow("direction override, line separator") << QString(QChar(0x202e)) + u"CN.1O"_s + QChar(0x2028);
        QTest::newRow("quotes, backslash, tab") << u"a\"b\\c\td"_s;
        QTest::newRow("non-ASCII") << u"Fr\u00e4se \u4e2d"_s;
    }
    void namesAreEscaped()
    {
        QFETCH(QString, name);
        JournalEntry e = SendEntry(name);
        e.sha256 = QString(64, u'0');
        e.reason = name;
        const QByteArray line = JournalLine(e);
        QCOMPARE(line.count('\n'), 1);
        for (const char c : line.chopped(1))
            QVERIFY2(uchar(c) >= 0x20 && uchar(c) != 0x7f, line.constData());
        for (const char *raw : {"\xc2\x9b", "\xe2\x80\xae", "\xe2\x80\xa8"})
            QVERIFY2(!line.contains(raw), line.constData());
        const auto record = ParseJournalLine(line);
        QVERIFY(record && record->entry);
        QCOMPARE(JournalValues(*record->entry), JournalValues(e));
    }

    void rotation()
    {
        const QString folder = path(u"j"_s);
        const qint64 lineSize = JournalLine(SendEntry()).size();
        JournalFileWriter writer(folder, lineSize * 3, 3);
        QList<JournalEntry> written;
        for (int i = 0; i < 10; ++i) {
            JournalEntry e = SendEntry();
            e.time = e.time.addSecs(i);
            written << e;
            QVERIFY(writer.append(JournalLine(e)));
        }
        // Three files of three lines at most; the oldest lines went.
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 QStringList({u"journal.1.jsonl"_s, u"journal.2.jsonl"_s, u"journal.jsonl"_s}));
        for (int g = 0; g < 3; ++g)
            QVERIFY(QFileInfo(QDir(folder).filePath(JournalFileName(g))).size() <= lineSize * 3);
        QList<JournalEntry> kept = read(folder);
        QCOMPARE(kept.size(), 7);
        QCOMPARE(JournalValues(kept.first()), JournalValues(written.at(3)));
        QCOMPARE(JournalValues(kept.last()), JournalValues(written.last()));
        // A torn last line (a crash mid-write) neither hides nor swallows the next.
        {
            QFile f(QDir(folder).filePath(JournalFileName(0)));
            QVERIFY(f.open(QIODevice::Append) && f.write("{\"id\":\"torn") > 0);
        }
        QVERIFY(JournalFileWriter(folder, lineSize * 100, 3).append(JournalLine(written.first())));
        int skipped = 0;
        QVERIFY(ReadJournalFolder(folder, &kept, nullptr, &skipped));
        QCOMPARE(skipped, 1);
        QCOMPARE(kept.size(), 8);
    }

    void fullDiskKeepsEarlierLines()
    {
        const QString disk = path(u"disk"_s);
        QVERIFY(QDir().mkpath(disk));
        QString why;
        if (!MountSmallDisk(disk, 64, &why))
            QSKIP(qPrintable(u"Full disk not tried: "_s + why));
        const auto unmount = qScopeGuard([&] { UnmountSmallDisk(disk); });
        JournalFileWriter writer(disk, 1 << 20, 2);
        for (int i = 0; i < 5; ++i)
            QVERIFY(writer.append(JournalLine(SendEntry())));
        // Fill what is left, so that the next line fits only in part.
        {
            QFile filler(QDir(disk).filePath(u"filler"_s));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(512, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        const QString file = QDir(disk).filePath(JournalFileName(0));
        const QByteArray before = ReadAll(file);
        JournalEntry big = SendEntry(QString(6000, u'n'));
        QString error;
        QVERIFY(!writer.append(JournalLine(big), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(file), before);
        QCOMPARE(read(disk).size(), 5);
        // Room again: the next line lands whole.
        QVERIFY(QFile::remove(QDir(disk).filePath(u"filler"_s)));
        QVERIFY(writer.append(JournalLine(big)));
        QCOMPARE(read(disk).size(), 6);
    }

    void times_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<QString>("expected"); // UTC; empty: refused
        QTest::newRow("date, lower") << "2026-12-07Z" << false << "2026-12-07T00:00:00.000Z";
        QTest::newRow("date, upper covers the day") << "2026-12-07Z" << true << "2026-12-08T00:00:00.000Z";
        QTest::newRow("minute, upper") << "2026-12-07 14:03+01:00" << true << "2026-12-07T13:04:00.000Z";
        QTest::newRow("second, upper") << "2026-12-07T14:03:22Z" << true << "2026-12-07T14:03:23.000Z";
        QTest::newRow("negative offset") << "2026-12-07T14:03:22-05:30" << false << "2026-12-07T19:33:22.000Z";
        QTest::newRow("no such day") << "2026-02-30" << false << "";
        QTest::newRow("words") << "yesterday" << false << "";
        QTest::newRow("trailing text") << "2026-12-07T14:03:22Zx" << false << "";
    }
    void times()
    {
        QFETCH(QString, text);
        QFETCH(bool, upper);
        QFETCH(QString, expected);
        const QDateTime t = ParseJournalTime(text, upper);
        QCOMPARE(t.isValid() ? t.toString(Qt::ISODateWithMs) : QString(), expected);
    }

    // A program changed between two sends gives two fingerprints, each of the
    // bytes when its request was done; a receive and a refusal have none.
    void fingerprints()
    {
        const QString folder = path(u"j"_s);
        const QString program = path(u"O1001.NC"_s);
        const QList<QByteArray> contents{QByteArray(1 << 20, 'G'), "G0 X1\nM30\n"};
        RequestJournal journal;
        journal.configure(JournalSettings(), folder);
        for (const QByteArray &content : contents) {
            QFile f(program);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size());
            f.close();
            JournalEntry e = SendEntry();
            e.path = program;
            journal.record(e);
            QTRY_COMPARE(journal.pendingCount(), 0);
        }
        JournalEntry receive = SendEntry();
        receive.action = JournalAction::Receive;
        receive.path = program;
        journal.record(receive);
        JournalEntry refused = SendEntry();
        refused.path = program;
        refused.outcome = JournalOutcome::Refused;
        journal.record(refused);
        {
            // Closed right after a send: the line still has its fingerprint.
            RequestJournal closing;
            closing.configure(JournalSettings(), folder);
            JournalEntry e = SendEntry();
            e.path = program;
            closing.record(e);
        }
        QVERIFY(RequestJournal::waitForWrites(5000));
        const QList<JournalEntry> entries = read(folder);
        QCOMPARE(entries.size(), 5);
        QCOMPARE(entries[4].sha256.toLatin1(), Sha256(contents[1]));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(entries[i].sha256.toLatin1(), Sha256(contents[i]));
            QCOMPARE(entries[i].size.value_or(-1), contents[i].size());
            QVERIFY(entries[i].modified.isValid() && entries[i].fileError.isEmpty());
        }
        for (int i = 2; i < 4; ++i)
            QVERIFY(entries[i].sha256.isEmpty() && !entries[i].size && !entries[i].modified.isValid());
    }

    // A file that does not answer (a pipe nobody writes, as a hung share)
    // holds up neither the caller nor closing; its line says so.
    void fileThatDoesNotAnswer()
    {
        const QString fifo = path(u"hung.NC"_s);
        if (!SystemHasFifos() || !MakeFifo(fifo))
            QSKIP("no named pipes here");
        const QString folder = path(u"j"_s);
        {
            RequestJournal journal(nullptr, 500);
            journal.configure(JournalSettings(), folder);
            JournalEntry e = SendEntry();
            e.path = fifo;
            journal.record(e);
            QTest::qWait(100);
            QCOMPARE(journal.pendingCount(), 1);
        }
        QVERIFY(RequestJournal::waitForWrites(5000));
        const QList<JournalEntry> entries = read(folder);
        QCOMPARE(entries.size(), 1);
        QVERIFY(entries[0].sha256.isEmpty() && !entries[0].fileError.isEmpty());
        // Let the reader go.
        QFile writer(fifo);
        QVERIFY(writer.open(QIODevice::WriteOnly));
    }
};

QTEST_GUILESS_MAIN(tst_Journal)
#include "tst_journal.moc"
