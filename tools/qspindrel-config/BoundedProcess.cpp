#include "BoundedProcess.h"

#include "ConfigToolSystem.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace {

constexpr qsizetype kKeptErrorBytes = 2048;

QString Megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1024 * 1024), 'g', 3);
}

} // namespace

bool RunBoundedProcess(const QString &program, const QStringList &arguments,
                       const ProcessLimits &limits, QByteArray *output, QString *error)
{
    QProcess process;
    ConfineChild(process, limits.maxMemoryBytes);
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
        KillWithChildren(process);
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
        KillWithChildren(process);
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
