#include "LocaleTable.h"
#include "Platform.h"
#include "SystemApi.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QLocale>
#include <QProcess>
#include <QSysInfo>

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <vector>

QString GetPCName()
{
    return QSysInfo::machineHostName();
}

QString GetSessionUserName()
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

// One instance per user, computer and display: an autostart entry and a
// terminal of the same graphical session may carry different session ids,
// and a home folder shared between computers holds the keys of each.
static QString InstanceBaseName()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
        // ":0" and ":0.0" name the same display.
        static const QRegularExpression screen(QStringLiteral("^(.*:\\d+)\\.\\d+$"));
        display.replace(screen, QStringLiteral("\\1"));
    }
    if (display.isEmpty())
        display = QStringLiteral("none");
    QString key = QSysInfo::machineHostName() + u'-' + display;
    for (QChar &c : key) {
        if (!c.isLetterOrNumber() && c != u'-' && c != u'.')
            c = u'_';
    }
    return QStringLiteral("qspindrel-") + key;
}

// A real folder (no link) of this user that nobody else may enter.
static bool IsPrivateFolder(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
        && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

static QString InstanceDirectory()
{
    // The runtime folder belongs to this user alone and goes with the login.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime))
        return runtime;
    // Never a shared folder such as /tmp, where another user could plant
    // the lock or the socket first: a folder of our own in the home.
    const QString cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString own = cache + QStringLiteral("/qspindrel");
    QDir().mkpath(cache);
    const QByteArray ownPath = QFile::encodeName(own);
    if (mkdir(ownPath.constData(), 0700) != 0 && !IsPrivateFolder(own)) {
        struct stat st;
        if (lstat(ownPath.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid())
            chmod(ownPath.constData(), 0700);
    }
    if (IsPrivateFolder(own))
        return own;
    // Nowhere private to meet: this instance starts on its own rather than
    // not at all.
    static const QString alone = [] {
        QByteArray pattern = QFile::encodeName(QDir::tempPath()) + "/qspindrel-XXXXXX";
        return mkdtemp(pattern.data()) ? QFile::decodeName(pattern) : QDir::tempPath();
    }();
    return alone;
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
