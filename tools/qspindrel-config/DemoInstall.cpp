#include "DemoInstall.h"

#include "CRegSettings.h"
#include "ConfigToolSystem.h"
#include "DatabaseChange.h"
#include "DemoMachines.h"
#include "DemoPrograms.h"
#include "JournalTable.h"
#include "RowCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kDatabaseName = QStringLiteral("config.sqlite");

bool WriteFile(const QString &path, const QByteArray &content, QString *error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("Cannot create the folder %1.").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(content) != content.size()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool WritePrograms(const QString &programsFolder, QString *error)
{
    for (const DemoFile &file : DemoProgramFiles()) {
        if (!WriteFile(QDir(programsFolder).filePath(file.path), file.content, error))
            return false;
    }
    for (const QString &folder : DemoEmptyFolders()) {
        if (!QDir(programsFolder).mkpath(folder)) {
            *error = QStringLiteral("Cannot create the folder %1.").arg(QDir(programsFolder).filePath(folder));
            return false;
        }
    }
    return true;
}

TableRows MachineRows()
{
    TableRows rows;
    rows.columns = QStringList{QStringLiteral("MACHINE_ID"), QStringLiteral("MACHINE_NUMBER"),
                               QStringLiteral("MACHINE_NAME"), QStringLiteral("IP_ADDRESS"),
                               QStringLiteral("PORT"), QStringLiteral("ICON_INDEX")};
    for (const DemoMachine &m : DemoMachines())
        rows.rows << QVariantList{m.id, m.number, m.name, DemoServerAddress(), m.port, m.icon};
    return rows;
}

QVariant TextOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// The rows as the wizard would write them, except that the directories keep
// the platform's separator (the wizard's own rule appends a backslash).
void AddStationRows(TableRows *rows, const QString &key, const QList<StationMachineSetting> &settings)
{
    for (const StationMachineSetting &s : settings) {
        rows->rows << QVariantList{s.MACHINE_ID, key, s.EDIT_MODE, s.CMD_TYPE,
                                   TextOrNull(s.sendRemoteCommand), TextOrNull(s.sendExtension),
                                   TextOrNull(s.sendDirectory), TextOrNull(s.recvRemoteCommand),
                                   TextOrNull(s.recvExtension), TextOrNull(s.recvDirectory)};
    }
}

TableRows StationRows(const DemoOptions &options, const QString &programsRoot)
{
    TableRows rows;
    rows.columns = QStringList{QStringLiteral("MACHINE_ID"), QStringLiteral("PC_NAME"),
                               QStringLiteral("EDIT_MODE"), QStringLiteral("CMD_TYPE"),
                               QStringLiteral("SEND_REMOTE_CMD"), QStringLiteral("SEND_EXTENSION"),
                               QStringLiteral("SEND_DIRECTORY"), QStringLiteral("RECV_REMOTE_CMD"),
                               QStringLiteral("RECV_EXTENSION"), QStringLiteral("RECV_DIRECTORY")};
    if (!options.computerKey.isEmpty())
        AddStationRows(&rows, options.computerKey, DemoComputerRows(programsRoot));
    // Keys compare without regard to case: one key must not get both sets.
    if (!options.userKey.isEmpty() && options.userKey.compare(options.computerKey, Qt::CaseInsensitive) != 0)
        AddStationRows(&rows, options.userKey, DemoUserRows(programsRoot));
    return rows;
}

bool WriteDatabase(const QString &databasePath, const DemoOptions &options, const QString &programsRoot,
                   QString *error)
{
    DatabaseChange change;
    if (!change.begin(databasePath, true, error))
        return false;
    if (!InsertRows(change.connection(), QStringLiteral("T_DNC_MACHINES"), MachineRows(), nullptr, error)
        || !InsertRows(change.connection(), QStringLiteral("T_DNC_MPPC"), StationRows(options, programsRoot),
                       nullptr, error)
        || !AddJournalTable(change.connection(), error))
        return false;
    return change.commit(error);
}

// An empty folder may be taken over; anything else might be someone's work.
bool CheckTarget(const QString &directory, QString *error)
{
    const QFileInfo info(directory);
    if (!info.exists())
        return true;
    if (!info.isDir()) {
        *error = QStringLiteral("%1 exists and is not a folder.").arg(directory);
        return false;
    }
    if (QFileInfo::exists(QDir(directory).filePath(kDatabaseName))) {
        *error = QStringLiteral("%1 already holds a demo installation; delete the folder to start afresh.")
                     .arg(directory);
        return false;
    }
    if (!QDir(directory).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        *error = QStringLiteral("%1 is not empty; choose a new or empty folder.").arg(directory);
        return false;
    }
    return true;
}

} // namespace

bool SetEditorPath(const QString &editorPath, QString *note)
{
    CRegSettings settings;
    if (settings.SaveMachineSetting(QString(), QStringLiteral("Current Path"), editorPath))
        return true;
    *note = EditorPathNote(settings.Company(), editorPath);
    return false;
}

DemoResult CreateDemoInstallation(const DemoOptions &options)
{
    DemoResult result;
    const QString directory = QDir::cleanPath(QDir::current().absoluteFilePath(options.directory));
    if (!CheckTarget(directory, &result.error))
        return result;
    const QString parent = QFileInfo(directory).absolutePath();
    if (!QDir().mkpath(parent)) {
        result.error = QStringLiteral("Cannot create the folder %1.").arg(parent);
        return result;
    }
    // Everything is built beside the target and renamed into place, so an
    // interrupted run leaves no half-made installation under its name.
    QTemporaryDir staging(QDir(parent).filePath(QStringLiteral(".%1.XXXXXX").arg(QFileInfo(directory).fileName())));
    if (!staging.isValid()) {
        result.error = QStringLiteral("Cannot create a folder in %1: %2").arg(parent, staging.errorString());
        return result;
    }
    const QString programsRoot = QDir(directory).filePath(QStringLiteral("programs"));
    if (!WritePrograms(staging.filePath(QStringLiteral("programs")), &result.error)
        || !WriteDatabase(staging.filePath(kDatabaseName), options, programsRoot, &result.error))
        return result;

    // QTemporaryDir makes a folder only its owner may enter.
    QFile::setPermissions(staging.path(), QFile::permissions(QDir(staging.path()).filePath(QStringLiteral("programs"))));
    if (QFileInfo::exists(directory) && !QDir().rmdir(directory)) {
        result.error = QStringLiteral("Cannot replace the empty folder %1.").arg(directory);
        return result;
    }
    if (!QDir().rename(staging.path(), directory)) {
        result.error = QStringLiteral("Cannot move the finished installation to %1.").arg(directory);
        return result;
    }
    staging.setAutoRemove(false);

    const QString database = QDir::toNativeSeparators(QDir(directory).filePath(kDatabaseName));
    CRegSettings settings;
    const QString previous = settings.GetUserSetting(QStringLiteral("Settings"), QStringLiteral("Database"),
                                                     QString()).toString();
    if (!settings.SaveUserSetting(QStringLiteral("Settings"), QStringLiteral("Database"), database)) {
        result.error = QStringLiteral("The demo installation is in %1, but the station's database setting "
                                      "could not be written. Choose %2 in the wizard (qspindrel -PROPERTIES).")
                           .arg(directory, database);
        return result;
    }
    if (!previous.isEmpty() && previous != database)
        result.notes << QStringLiteral("The station's database was %1; it is now the demo's. The wizard "
                                       "(qspindrel -PROPERTIES) sets it back.").arg(previous);

    const QString currentEditor = settings.GetMachineSetting(QString(), QStringLiteral("Current Path"),
                                                             QString()).toString();
    if (!currentEditor.isEmpty() && currentEditor != options.editorPath && QFileInfo(currentEditor).isFile()) {
        result.notes << QStringLiteral("The installed editor %1 is kept as the station's editor.").arg(currentEditor);
    } else {
        QString note;
        if (!SetEditorPath(options.editorPath, &note))
            result.notes << note;
    }
    result.ok = true;
    return result;
}
