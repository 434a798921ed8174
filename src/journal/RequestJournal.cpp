#include "RequestJournal.h"

#include "JournalFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRunnable>
#include <QThreadPool>

namespace {

// Private pools, made once and never deleted: the global pool is waited for
// when the application ends, and a thread stuck on a share must never hold
// up closing the station.
QThreadPool *MakePool(int threads)
{
    auto *pool = new QThreadPool;
    pool->setMaxThreadCount(threads);
    return pool;
}
QThreadPool *FingerprintPool()
{
    // One thread per file that does not answer; the others go on.
    static QThreadPool *pool = MakePool(8);
    return pool;
}
// One thread each: lines land in the order they were handed over.
QThreadPool *WriterPool()
{
    static QThreadPool *pool = MakePool(1);
    return pool;
}
QThreadPool *DatabasePool()
{
    static QThreadPool *pool = MakePool(1);
    return pool;
}

void Append(const QString &folder, const JournalSettings &settings, const QByteArray &line)
{
    WriterPool()->start([=] {
        QString error;
        if (!JournalFileWriter(folder, settings.maxFileBytes, settings.maxFiles).append(line, &error))
            qWarning("Request journal: a line could not be written in %s: %s", qPrintable(folder),
                     qPrintable(error));
    });
}

// Computes one fingerprint on the pool and hands it back by a queued signal;
// a journal gone meanwhile is simply no longer connected.
class FingerprintTask : public QObject, public QRunnable
{
    Q_OBJECT
public:
    FingerprintTask(quint64 key, const QString &path) : m_key(key), m_path(path) { setAutoDelete(false); }
    void run() override
    {
        emit ready(m_key, ComputeFileFingerprint(m_path));
        deleteLater();
    }
signals:
    void ready(quint64 key, const FileFingerprint &fingerprint);

private:
    quint64 m_key;
    QString m_path;
};

} // namespace

RequestJournal::RequestJournal(QObject *parent, int closeWaitMs) : QObject(parent), m_closeWaitMs(closeWaitMs)
{
    qRegisterMetaType<FileFingerprint>();
}

RequestJournal::~RequestJournal()
{
    if (!m_pending.isEmpty()) {
        // Closed right after a send: its fingerprint is usually moments away.
        // Half the time at most, so that the lines still get theirs.
        FingerprintPool()->waitForDone(m_closeWaitMs / 2);
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
    for (JournalEntry &e : m_pending) {
        e.fileError = QStringLiteral("The file had not answered when the station closed.");
        write(e);
    }
    m_pending.clear();
    if (m_settings.enabled)
        waitForWrites(m_closeWaitMs / 2);
}

void RequestJournal::configure(const JournalSettings &settings, const QString &folder)
{
    m_settings = settings;
    m_folder = folder;
}

void RequestJournal::setDatabaseWriter(DatabaseWriter writer)
{
    m_databaseWriter = std::move(writer);
}

void RequestJournal::record(const JournalEntry &entry)
{
    if (!isEnabled())
        return;
    if (entry.action != JournalAction::Send || entry.outcome == JournalOutcome::Refused) {
        write(entry);
        return;
    }
    const quint64 key = ++m_nextKey;
    m_pending.insert(key, entry);
    auto *task = new FingerprintTask(key, entry.path);
    connect(task, &FingerprintTask::ready, this, &RequestJournal::fingerprintReady, Qt::QueuedConnection);
    FingerprintPool()->start(task);
}

void RequestJournal::fingerprintReady(quint64 key, const FileFingerprint &fingerprint)
{
    const auto it = m_pending.find(key);
    if (it == m_pending.end())
        return;
    JournalEntry e = *it;
    m_pending.erase(it);
    e.size = fingerprint.size;
    e.modified = fingerprint.modified;
    e.sha256 = fingerprint.sha256;
    e.fileError = fingerprint.error;
    write(e);
}

void RequestJournal::write(const JournalEntry &entry)
{
    const QString folder = m_folder;
    const JournalSettings settings = m_settings;
    Append(folder, settings, JournalLine(entry));
    if (!settings.database || !m_databaseWriter)
        return;
    DatabasePool()->start([=, writer = m_databaseWriter] {
        QString error;
        if (!writer(entry, &error))
            Append(folder, settings, DatabaseFailureLine(entry.id, error));
    });
}

bool RequestJournal::waitForWrites(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    auto left = [&deadline] { return int(qMax<qint64>(0, deadline.remainingTime())); };
    // Database failures add a note after the lines.
    return WriterPool()->waitForDone(left()) && DatabasePool()->waitForDone(left())
           && WriterPool()->waitForDone(left());
}

#include "RequestJournal.moc"
