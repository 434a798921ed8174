#include "BoundedProcess.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

constexpr qsizetype kKeptErrorBytes = 2048;

void LimitChild(QProcess &process, qint64 maxMemoryBytes)
{
#ifdef Q_OS_UNIX
    // A group of its own, so that a kill reaches whatever it started too.
    process.setChildProcessModifier([maxMemoryBytes] {
        ::setpgid(0, 0);
        if (maxMemoryBytes > 0) {
            const rlimit limit{rlim_t(maxMemoryBytes), rlim_t(maxMemoryBytes)};
            ::setrlimit(RLIMIT_AS, &limit);
        }
    });
#else
    Q_UNUSED(process);
    Q_UNUSED(maxMemoryBytes);
#endif
}

void KillAll(QProcess &process)
{
#ifdef Q_OS_UNIX
    if (process.processId() > 0)
        ::kill(-pid_t(process.processId()), SIGKILL);
#endif
    process.kill();
}

QString Megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1024 * 1024), 'g', 3);
}

} // namespace

bool RunBoundedProcess(const QString &program, const QStringList &arguments,
                       const ProcessLimits &limits, QByteArray *output, QString *error)
{
    QProcess process;
    LimitChild(process, limits.maxMemoryBytes);
    QByteArray out;
    QByteArray said;
    QString stopped;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    auto stop = [&](const QString &why) {
        if (stopped.isEmpty())
            stopped = why;
        out.clear();
        KillAll(process);
    };
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        const QByteArray chunk = process.readAllStandardOutput();
        if (!stopped.isEmpty())
            return;
        if (out.size() + chunk.size() > limits.maxOutputBytes)
            stop(QStringLiteral("%1 printed more than %2 MB and was stopped")
                     .arg(program, Megabytes(limits.maxOutputBytes)));
        else
            out += chunk;
    });
    QObject::connect(&process, &QProcess::readyReadStandardError, &loop, [&] {
        const QByteArray chunk = process.readAllStandardError();
        said += chunk.left(qMax<qsizetype>(0, kKeptErrorBytes - said.size()));
    });
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        stop(QStringLiteral("%1 did not finish within %2 s and was stopped")
                 .arg(program).arg(limits.timeoutMs / 1000.0));
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    process.start(program, arguments);
    deadline.start(limits.timeoutMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (process.state() != QProcess::NotRunning) {
        KillAll(process);
        process.waitForFinished();
    }
    if (!stopped.isEmpty()) {
        *error = stopped;
        return false;
    }
    if (process.error() == QProcess::FailedToStart) {
        *error = QStringLiteral("%1 could not be started: %2").arg(program, process.errorString());
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString text = QString::fromLocal8Bit(said).simplified();
        const QString how = process.exitStatus() != QProcess::NormalExit
                                ? QStringLiteral("%1 broke off").arg(program)
                                : QStringLiteral("%1 failed").arg(program);
        *error = text.isEmpty() ? how : QStringLiteral("%1: %2").arg(how, text);
        return false;
    }
    *output = out;
    return true;
}
