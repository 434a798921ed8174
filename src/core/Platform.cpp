#include "Platform.h"

#include "SystemApi.h"

#include <QProcess>

bool LaunchProgram(const LaunchCommand &command, const QString &directory)
{
    QProcess process;
    SystemPrepareLaunch(process, command);
    process.setWorkingDirectory(directory);
    return process.startDetached();
}

std::vector<wchar_t> WritableCommandLine(const QString &line)
{
    const std::wstring wide = line.toStdWString();
    return std::vector<wchar_t>(wide.c_str(), wide.c_str() + wide.size() + 1);
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
