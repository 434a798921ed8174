#include <QtTest>

#include "FileBytes.h"
#include "JournalFiles.h"
#include "RequestJournal.h"
#include "TestSupport.h"

#include <QCryptographicHash>

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

} // namespace

class tst_Journal : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }

    QList<JournalEntry> read(const QString &folder, int skippedLines = 0)
    {
        QList<JournalEntry> entries;
        int skipped = -1;
        [&] { QVERIFY(ReadJournalFolder(folder, &entries, nullptr, &skipped)); QCOMPARE(skipped, skippedLines); }();
        return entries;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Whatever a name holds, the line stays one line that a terminal shows
    // as it is, and reads back to the same entry.
    void lineFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << u"Lathe"_s;
        QTest::newRow("line feed and return") << u"O1\nLOAD X\r"_s;
        QTest::newRow("escape, DEL, C1 CSI") << u"O1\x1b[2J\x7f"_s + QChar(0x9b) + u"31m"_s;
        QTest::newRow("direction override, line separator") << QString(QChar(0x202e)) + u"CN.1O"_s + QChar(0x2028);
    }
    void lineFormat()
    {
        QFETCH(QString, name);
        JournalEntry e = SendEntry(name);
        e.size = 1048576;
        e.modified = QDateTime(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
        e.sha256 = QString(64, u'a');
        e.outcome = JournalOutcome::Refused;
        e.messageId = 171;
        e.reason = u"The File D:\\NC\\"_s + name + u".NC does not exist."_s;
        const QByteArray line = JournalLine(e);
        static const QRegularExpression shown(u"^[^\\x00-\\x1f\\x7f\\x9b\\x{202e}\\x{2028}]*\\n$"_s);
        QVERIFY2(shown.match(QString::fromUtf8(line)).hasMatch(), line.constData());
        const auto record = ParseJournalLine(line);
        QVERIFY(record && record->entry);
        QCOMPARE(JournalValues(*record->entry), JournalValues(e));
        // The time as UTC with its offset beside it, as other tools read the file.
        QVERIFY2(line.contains("\"time\":\"2026-12-07T13:03:22.125Z\",\"utcOffset\":\"+01:00\""), line.constData());
    }

    // Three files of three lines at most: the oldest lines go. A torn last
    // line (a crash mid-write) neither hides nor swallows the next.
    void rotation()
    {
        const QString folder = path(u"j"_s);
        const qint64 lineSize = JournalLine(SendEntry()).size();
        JournalFileWriter writer(folder, lineSize * 3, 3);
        QList<JournalEntry> written;
        for (int i = 0; i < 10; ++i) {
            written << SendEntry();
            written.last().time = written.last().time.addSecs(i);
            QVERIFY(writer.append(JournalLine(written.last())));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 QStringList({u"journal.1.jsonl"_s, u"journal.2.jsonl"_s, u"journal.jsonl"_s}));
        QList<JournalEntry> kept = read(folder);
        QCOMPARE(kept.size(), 7);
        QCOMPARE(JournalValues(kept.first()), JournalValues(written.at(3)));
        QVERIFY(WriteFileBytes(QDir(folder).filePath(JournalFileName(0)),
                               ReadFileBytes(QDir(folder).filePath(JournalFileName(0))) + "{\"id\":\"torn"));
        QVERIFY(JournalFileWriter(folder, lineSize * 100, 3).append(JournalLine(written.first())));
        QCOMPARE(read(folder, 1).size(), 8);
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
        const QByteArray before = ReadFileBytes(file);
        const QByteArray big = JournalLine(SendEntry(QString(6000, u'n')));
        QString error;
        QVERIFY(!writer.append(big, &error) && !error.isEmpty());
        QCOMPARE(ReadFileBytes(file), before);
        // Room again: the next line lands whole.
        QVERIFY(QFile::remove(QDir(disk).filePath(u"filler"_s)));
        QVERIFY(writer.append(big));
        QCOMPARE(read(disk).size(), 6);
    }

    // A program changed between two sends gives two fingerprints, each of the
    // bytes when its request was done; a receive and a refusal have none; a
    // journal closed right after a send still writes its fingerprint. A file
    // that does not answer (a pipe nobody writes, as a hung share) holds up
    // neither the caller nor closing; its line says so.
    void fingerprints()
    {
        const QString folder = path(u"j"_s);
        const QString program = path(u"O1001.NC"_s), fifo = path(u"hung.NC"_s);
        const QList<QByteArray> contents{QByteArray(1 << 20, 'G'), "G0 X1\nM30\n"};
        JournalEntry e = SendEntry();
        e.path = program;
        RequestJournal journal;
        journal.configure(JournalSettings(), folder);
        for (const QByteArray &content : contents) {
            QVERIFY(WriteFileBytes(program, content));
            journal.record(e);
            QTRY_COMPARE(journal.pendingCount(), 0);
        }
        JournalEntry receive = e, refused = e, hung = e;
        receive.action = JournalAction::Receive;
        refused.outcome = JournalOutcome::Refused;
        hung.path = fifo;
        journal.record(receive);
        journal.record(refused);
        const bool hangs = SystemHasFifos() && MakeFifo(fifo);
        {
            RequestJournal closing(nullptr, 500);
            closing.configure(JournalSettings(), folder);
            if (hangs)
                closing.record(hung);
            QTest::qWait(100);
            QCOMPARE(closing.pendingCount(), int(hangs));
            closing.record(e);
        }
        QVERIFY(RequestJournal::waitForWrites(5000));
        const QList<JournalEntry> entries = read(folder);
        QCOMPARE(entries.size(), 5 + hangs);
        for (int i : {0, 1, 4}) {
            const QByteArray &content = contents[qMin(i, 1)];
            QCOMPARE(entries[i].sha256.toLatin1(), QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
            QCOMPARE(entries[i].size.value_or(-1), content.size());
            QVERIFY(entries[i].modified.isValid() && entries[i].fileError.isEmpty());
        }
        for (int i : {2, 3})
            QVERIFY(entries[i].sha256.isEmpty() && !entries[i].size && !entries[i].modified.isValid());
        QVERIFY(!hangs || (entries[5].sha256.isEmpty() && !entries[5].fileError.isEmpty()));
        QFile writer(fifo);  // lets the reader go
        QVERIFY(!hangs || writer.open(QIODevice::WriteOnly));
    }
};

QTEST_GUILESS_MAIN(tst_Journal)
#include "tst_journal.moc"
