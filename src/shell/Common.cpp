#include "Platform.h"

#include "SystemApi.h"

#include <QProcess>

QString GetPCName()
{
    return SystemComputerName();
}

QString GetSessionUserName()
{
    return SystemSessionUserName();
}

bool LaunchProgram(const LaunchCommand &command, const QString &directory)
{
    QProcess process;
    SystemPrepareLaunch(process, command);
    process.setWorkingDirectory(directory);
    // The editor must not write into the station's terminal or hold it open.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

static QDateTime Epoch()
{
    return QDateTime(QDate(1970, 1, 1), QTime(0, 0, 0), Qt::LocalTime);
}

QDateTime SystemTimeToDate(int year, int month, int day, int hour, int minute, int second)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return Epoch();
    const QDateTime result(date, time, Qt::LocalTime);
    return result.isValid() ? result : Epoch();
}

QDateTime FileTimeToLocalDate(const QDateTime &fileTimeUtc)
{
    if (!fileTimeUtc.isValid())
        return Epoch();
    const QDateTime local = fileTimeUtc.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    return SystemTimeToDate(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}
