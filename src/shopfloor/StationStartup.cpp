#include "StationStartup.h"

#include "ConnectRetry.h"
#include "DatabaseTarget.h"
#include "MessageText.h"
#include "Platform.h"
#include "clsAccessDBConnection.h"

#include <QPromise>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

std::atomic<int> inFlight{0};

QThreadPool *startupPool()
{
    // Made once and never deleted: the end of the program must never wait
    // for a worker stuck on a share or a server (the global pool is waited
    // for when the application object goes).
    static QThreadPool *const pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(8);
        return p;
    }();
    return pool;
}

template <typename T, typename Job>
QFuture<T> runInWorker(Job job)
{
    auto promise = std::make_shared<QPromise<T>>();
    QFuture<T> future = promise->future();
    promise->start();
    ++inFlight;
    startupPool()->start([promise, job] {
        promise->addResult(job());
        promise->finish();
        --inFlight;
    });
    return future;
}

} // namespace

StationConfiguration ReadStationConfiguration(const QString &databasePath,
                                              const QString &stationKey, QDeadlineTimer deadline)
{
    StationConfiguration c;
    // A server URL names no file; only a file path can be missing.
    const DatabaseTarget target = ResolveDatabaseTarget(databasePath);
    if (!target.filePath.isEmpty() && !FileExists(target.filePath)) {
        c.databaseFound = false;
        return c;
    }
    clsAccessDBConnection connection;
    connection.setDatabase(databasePath);
    c.connected = ConnectRetryingBusyServer(connection, deadline);
    if (!c.connected) {
        c.connectFailure = connection.ConnectFailureText();
        return c;
    }
    c.machines = LoadStationMachines(connection, stationKey);
    // Nothing later needs it: a server serves any number of stations only
    // when none holds a connection for its whole shift.
    connection.Disconnect();
    return c;
}

int StationStartup::workersInFlight()
{
    return inFlight;
}

StationStartup::StationStartup(QObject *parent) : QObject(parent), m_bound(new QTimer(this))
{
    m_bound->setSingleShot(true);
    connect(m_bound, &QTimer::timeout, this, [this] { settle(true); });
    connect(&m_configuration, &QFutureWatcherBase::finished, this, [this] {
        m_configurationIn = true;
        settle(false);
    });
    connect(&m_editor, &QFutureWatcherBase::finished, this, [this] {
        m_editorIn = true;
        settle(false);
    });
}

void StationStartup::start(const QString &databasePath, const QString &stationKey,
                           const QString &editorPath, int timeoutMs)
{
    m_databasePath = databasePath;
    m_timeoutMs = timeoutMs;
    m_bound->start(timeoutMs);
    // The worker gives up retrying a full server a little before the bound,
    // so that the refusal, not the time-out, is what the operator reads.
    const QDeadlineTimer retryUntil(timeoutMs * 3 / 4);
    m_configuration.setFuture(runInWorker<StationConfiguration>([databasePath, stationKey, retryUntil] {
        return ReadStationConfiguration(databasePath, stationKey, retryUntil);
    }));
    m_editorIn = editorPath.isEmpty();
    if (!m_editorIn)
        m_editor.setFuture(runInWorker<bool>([editorPath] { return FileExists(editorPath); }));
}

void StationStartup::settle(bool atBound)
{
    if (m_done)
        return;
    if (!atBound && !(m_configurationIn && m_editorIn))
        return;
    m_done = true;
    m_bound->stop();
    Result r;
    r.editorFound = m_editorIn && m_editor.future().resultCount() > 0 && m_editor.result();
    if (m_configurationIn) {
        r.configuration = m_configuration.result();
    } else {
        r.timedOut = true;
        r.timeoutText = GetMessageText(MessageId::DatabaseNotAnswering, PathForDisplay(m_databasePath),
                                       QString::number(m_timeoutMs / 1000.0));
    }
    emit finished(r);
}
