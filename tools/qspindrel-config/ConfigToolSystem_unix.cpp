#include "ConfigToolSystem.h"

#include "IniSettings.h"

#include <QProcess>
#include <QTemporaryFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

void ConfineChild(QProcess &process, qint64 maxMemoryBytes)
{
    process.setChildProcessModifier([maxMemoryBytes] {
        ::setpgid(0, 0);
        if (maxMemoryBytes > 0) {
            const rlimit limit{rlim_t(maxMemoryBytes), rlim_t(maxMemoryBytes)};
            ::setrlimit(RLIMIT_AS, &limit);
        }
    });
}

void KillWithChildren(QProcess &process)
{
    if (process.processId() > 0)
        ::kill(-pid_t(process.processId()), SIGKILL);
    process.kill();
}

// The name may be a link planted in a shared folder by now: the descriptor
// is the file that was made.
void UseDefaultPermissions(const QTemporaryFile &file)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.handle(), 0666 & ~mask);
}

QString ProgramFileName(const QString &name)
{
    return name;
}

QString EditorPathNote(const QString &company, const QString &editorPath)
{
    const QString folder = RegSettingsDetail::MachineConfigFolders().value(0);
    return QStringLiteral("The editor path could not be written to %1/%2/Editor.ini (no permission). "
                          "Edit and View stay unavailable until it is set, either as root:\n"
                          "  sudo %3 set-editor '%4'\n"
                          "or in a folder of your own, which the station must then see too:\n"
                          "  export XDG_CONFIG_DIRS=$HOME/.config/machine:${XDG_CONFIG_DIRS:-/etc/xdg}\n"
                          "  %3 set-editor '%4'")
        .arg(folder, company, QStringLiteral("qspindrel-config"), editorPath);
}
