#include <QtGlobal>

#ifndef Q_OS_WIN

#include "LocaleTable.h"
#include "Platform.h"
#include "SystemApi.h"

#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

#include <vector>

QString SystemComputerName()
{
    return QSysInfo::machineHostName();
}

QString SystemSessionUserName()
{
    char name[256] = {};
    if (getlogin_r(name, sizeof name) == 0 && name[0])
        return QString::fromLocal8Bit(name);
    // No controlling login (started from a desktop launcher or a service):
    // the account the session runs under.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString();
}

void SystemPrepareLaunch(QProcess &process, const LaunchCommand &command)
{
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    // The editor must not write into the station's terminal or hold it open.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

int SystemLocaleId()
{
    const QLocale locale = QLocale::system();
    return LocaleIdFor(locale.language(), locale.territory(), locale.script());
}

int SystemAnsiCodePage(int lcid)
{
    return AnsiCodePageForLocaleId(lcid);
}

static QString InstanceBaseName()
{
    QString user = SystemSessionUserName();
    if (user.isEmpty())
        user = QString::number(getuid());
    QString name = QStringLiteral("qspindrel-") + user;
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (!session.isEmpty())
        name += QLatin1Char('-') + session;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return name;
}

static QString InstanceDirectory()
{
    // The runtime folder belongs to this user alone and goes with the login.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    return QDir::tempPath();
}

QString SystemInstanceServerName()
{
    return InstanceDirectory() + QLatin1Char('/') + InstanceBaseName() + QStringLiteral(".sock");
}

QString SystemInstanceLockPath()
{
    return InstanceDirectory() + QLatin1Char('/') + InstanceBaseName() + QStringLiteral(".lock");
}

void SystemAllowForegroundActivation() {}

bool SystemShowCompiledHelp(const QString &, int)
{
    return false;
}

#endif
