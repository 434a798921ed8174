#include "TableAccess.h"

#include "Commands.h"
#include "ConfigSchema.h"
#include "DatabaseTarget.h"
#include "clsAccessDBConnection.h"

#include <QFileInfo>

namespace {

bool SqliteFileMissing(const QString &databasePath, QString *error)
{
    if (DatabaseBackendForPath(databasePath) == DbBackend::Sqlite && !QFileInfo(databasePath).isFile()) {
        *error = QStringLiteral("%1 does not exist.").arg(DatabaseDisplayName(databasePath));
        return true;
    }
    return false;
}

} // namespace

bool OpenForReading(const QString &databasePath, clsAccessDBConnection &connection, QString *error)
{
    const QString shown = DatabaseDisplayName(databasePath);
    if (SqliteFileMissing(databasePath, error))
        return false;
    connection.setDatabase(databasePath);
    if (!connection.Connect()) {
        *error = QStringLiteral("Cannot open the database %1: %2").arg(shown, LastDatabaseError(connection));
        return false;
    }
    QString why;
    if (!HasConfigTables(connection, &why)) {
        *error = QStringLiteral("%1 has no station tables (%2).").arg(shown, why.simplified());
        return false;
    }
    return true;
}

bool BeginChange(const QString &databasePath, bool mayCreate, DatabaseChange &change, QString *error)
{
    if (!mayCreate && SqliteFileMissing(databasePath, error))
        return false;
    return change.begin(databasePath, false, error);
}

int Refuse(QTextStream &err, const QString &message)
{
    err << "qspindrel-config: " << message << Qt::endl;
    return ExitFailed;
}

int RefuseUsage(QTextStream &err, const QString &message, const char *usage)
{
    err << "qspindrel-config: " << message << "\nUsage: qspindrel-config " << usage << Qt::endl;
    return ExitUsage;
}
