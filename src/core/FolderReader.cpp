#include "FolderReader.h"

#include <QMutex>
#include <QMutexLocker>
#include <QRunnable>
#include <QThreadPool>
#include <QTimer>

// The worker's way back: it posts to the reader only while the reader lives.
struct FolderReader::Link {
    QMutex mutex;
    FolderReader *reader = nullptr;
};

namespace {

FolderReader::Timing &sharedTiming()
{
    static FolderReader::Timing timing;
    return timing;
}

} // namespace

FolderReader::FolderReader(Timing timing, QObject *parent)
    : QObject(parent), m_timing(timing), m_pool(new QThreadPool), m_link(std::make_shared<Link>())
{
    m_pool->setMaxThreadCount(DefaultThreads);
    m_link->reader = this;
}

FolderReader::~FolderReader()
{
    QMutexLocker lock(&m_link->mutex);
    m_link->reader = nullptr;
}

FolderReader &FolderReader::shared()
{
    static FolderReader *reader = new FolderReader(sharedTiming());
    return *reader;
}

void FolderReader::setSharedTiming(Timing timing)
{
    sharedTiming() = timing;
}

void FolderReader::askAny(const QString &question, const QString &folder,
                          std::function<std::any()> work, QObject *context, AnyHandlers handlers)
{
    const QString key = question + QLatin1Char('\n') + folder;
    std::shared_ptr<Job> &job = m_jobs[key];
    const bool fresh = !job;
    if (fresh) {
        job = std::make_shared<Job>();
        job->key = key;
        job->folder = folder;
        job->work = std::move(work);
    }

    auto asker = std::make_unique<Asker>();
    asker->context = context;
    asker->handlers = std::move(handlers);
    Asker *raw = asker.get();
    const auto arm = [&](int ms, const std::function<void()> &handler) -> QTimer * {
        if (!handler)
            return nullptr;
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [raw, handler] {
            if (raw->context)
                handler();
        });
        timer->start(ms);
        return timer;
    };
    asker->slowTimer = arm(m_timing.slowAfterMs, raw->handlers.slow);
    asker->boundTimer = arm(m_timing.boundMs, raw->handlers.notAnswering);
    job->askers.push_back(std::move(asker));

    if (!fresh)
        return;
    if (m_busyFolders.contains(folder)) {
        m_waitingFolders[folder].push_back(key);
        return;
    }
    start(job);
}

void FolderReader::start(const std::shared_ptr<Job> &job)
{
    job->started = true;
    m_busyFolders.insert(job->folder, job->key);
    // The bound without an answer: the job no longer counts against the
    // pool, so that other folders are still read.
    QTimer::singleShot(m_timing.boundMs, this, [this, weak = std::weak_ptr<Job>(job)] {
        if (const auto j = weak.lock())
            markStuck(j->key);
    });
    QRunnable *runnable = QRunnable::create(
        [link = m_link, key = job->key, work = job->work] {
            std::any result = work();
            QMutexLocker lock(&link->mutex);
            if (FolderReader *reader = link->reader) {
                QMetaObject::invokeMethod(
                    reader, [reader, key, result = std::move(result)]() mutable {
                        reader->finish(key, std::move(result));
                    },
                    Qt::QueuedConnection);
            }
        });
    m_pool->start(runnable);
}

void FolderReader::markStuck(const QString &key)
{
    const auto it = m_jobs.constFind(key);
    if (it == m_jobs.constEnd() || !(*it)->started || (*it)->stuck)
        return;
    (*it)->stuck = true;
    ++m_stuck;
    m_pool->setMaxThreadCount(m_pool->maxThreadCount() + 1);
}

void FolderReader::finish(const QString &key, std::any result)
{
    const std::shared_ptr<Job> job = m_jobs.take(key);
    if (!job)
        return;
    if (job->stuck) {
        --m_stuck;
        m_pool->setMaxThreadCount(m_pool->maxThreadCount() - 1);
    }
    m_busyFolders.remove(job->folder);
    // The next question about this folder may go before the answers are
    // handed out: a handler may well ask again.
    startNextFor(job->folder);
    for (const auto &asker : job->askers) {
        stopTimers(*asker);
        if (asker->context && asker->handlers.done)
            asker->handlers.done(result);
    }
}

void FolderReader::startNextFor(const QString &folder)
{
    auto it = m_waitingFolders.find(folder);
    if (it == m_waitingFolders.end())
        return;
    std::vector<QString> keys = std::move(*it);
    m_waitingFolders.erase(it);
    const QString next = keys.front();
    keys.erase(keys.begin());
    if (!keys.empty())
        m_waitingFolders.insert(folder, std::move(keys));
    if (const auto job = m_jobs.value(next))
        start(job);
}

void FolderReader::stopTimers(Asker &asker)
{
    delete asker.slowTimer;
    delete asker.boundTimer;
    asker.slowTimer = asker.boundTimer = nullptr;
}

int FolderReader::jobsInFlight() const
{
    return int(m_busyFolders.size());
}

bool FolderReader::hasStuckJobs() const
{
    return m_stuck > 0;
}

bool FolderReader::isReading(const QString &folder) const
{
    for (const auto &job : m_jobs) {
        if (job->folder == folder)
            return true;
    }
    return false;
}
