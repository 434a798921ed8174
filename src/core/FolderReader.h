#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <any>
#include <functional>
#include <memory>
#include <vector>

class QThreadPool;
class QTimer;

// Asks the file system questions off the UI thread. A share that stops
// answering blocks every call on it, on Linux in an uninterruptible sleep, so
// the windows never wait for an answer: they ask, and are called back on
// their own thread.
//
// - One read per folder at a time: a question about a folder that is being
//   read waits for that read, and the same question asked again attaches to
//   the job in flight. A hung folder costs one thread, never one per click.
// - The jobs run on a private pool that is never deleted: nothing waits for
//   a stuck job at exit (the global pool is waited for). A job that passes
//   the bound stops counting against the pool's size.
// - Each asker is told, on its own timers: `slow` once `slowAfterMs` has
//   passed without an answer (time to show that it is being read),
//   `notAnswering` once `boundMs` has passed, and `done` with the result
//   whenever it comes, even after the bound. Nothing is called once the
//   asker's context object is gone.
class FolderReader : public QObject
{
    Q_OBJECT
public:
    struct Timing {
        int slowAfterMs = 150;
        int boundMs = 3000;
    };
    static constexpr int DefaultThreads = 4;

    explicit FolderReader(Timing timing, QObject *parent = nullptr);
    explicit FolderReader(QObject *parent = nullptr) : FolderReader(Timing(), parent) {}
    ~FolderReader() override;

    // The reader the windows share; made on first use, never deleted.
    static FolderReader &shared();
    // Sets the shared reader's timing (before its first question).
    static void setSharedTiming(Timing timing);

    Timing timing() const { return m_timing; }

    template <typename Result>
    struct Handlers {
        std::function<void(const Result &)> done;
        std::function<void()> slow;
        std::function<void()> notAnswering;
    };

    // Runs `work` on the pool unless the same `question` about `folder` is in
    // flight already; `context` owns the handlers' lifetime.
    template <typename Result>
    void ask(const QString &question, const QString &folder, std::function<Result()> work,
             QObject *context, Handlers<Result> handlers)
    {
        AnyHandlers h;
        if (handlers.done) {
            h.done = [done = std::move(handlers.done)](const std::any &value) {
                done(std::any_cast<const Result &>(value));
            };
        }
        h.slow = std::move(handlers.slow);
        h.notAnswering = std::move(handlers.notAnswering);
        askAny(question, folder, [work = std::move(work)]() -> std::any { return work(); }, context,
               std::move(h));
    }

    // Jobs started and not yet returned, stuck ones included.
    int jobsInFlight() const;
    // True when a job has passed its bound and not returned: the program
    // should end without waiting for it.
    bool hasStuckJobs() const;
    // True while a job or a queued question about `folder` has no answer.
    bool isReading(const QString &folder) const;

private:
    struct AnyHandlers {
        std::function<void(const std::any &)> done;
        std::function<void()> slow;
        std::function<void()> notAnswering;
    };
    struct Asker {
        QPointer<QObject> context;
        AnyHandlers handlers;
        QTimer *slowTimer = nullptr;
        QTimer *boundTimer = nullptr;
    };
    struct Job {
        QString key;
        QString folder;
        std::function<std::any()> work;
        std::vector<std::unique_ptr<Asker>> askers;
        bool started = false;
        bool stuck = false;
    };
    struct Link;

    void askAny(const QString &question, const QString &folder, std::function<std::any()> work,
                QObject *context, AnyHandlers handlers);
    void start(const std::shared_ptr<Job> &job);
    void finish(const QString &key, std::any result);
    void markStuck(const QString &key);
    void startNextFor(const QString &folder);
    static void stopTimers(Asker &asker);

    Timing m_timing;
    QThreadPool *m_pool;                     // never deleted
    std::shared_ptr<Link> m_link;            // lets jobs reach this object while it lives
    QHash<QString, std::shared_ptr<Job>> m_jobs;          // by question and folder
    QHash<QString, QString> m_busyFolders;                // folder -> key of its running job
    QHash<QString, std::vector<QString>> m_waitingFolders; // folder -> keys of queued jobs
    int m_stuck = 0;
};
