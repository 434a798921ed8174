#include "ConfigToolSystem.h"

#include <QProcess>
#include <QTemporaryFile>

// Without process groups the kill reaches the program itself only.
void ConfineChild(QProcess &, qint64) {}

void KillWithChildren(QProcess &process)
{
    process.kill();
}

// New files take the folder's inherited access rights already.
void UseDefaultPermissions(const QTemporaryFile &) {}

QString ProgramFileName(const QString &name)
{
    return name + QStringLiteral(".exe");
}

QString EditorPathNote(const QString &company, const QString &editorPath)
{
    return QStringLiteral("The editor path could not be written to HKEY_LOCAL_MACHINE\\Software\\%1\\Editor "
                          "(administrator rights needed). Edit and View stay unavailable until an "
                          "administrator runs: qspindrel-config set-editor \"%2\"")
        .arg(company, editorPath);
}
