#include "DatabaseChange.h"

#include "ConfigSchema.h"
#include "ConfigToolSystem.h"
#include "DBAssist.h"
#include "DatabaseTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// Files SQLite may leave beside a database it had open.
void RemoveSqliteFiles(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

QString DatabaseDisplayName(const QString &databasePath)
{
    // QUrl keeps the password of a malformed URL and of a password= option.
    return PathForDisplay(databasePath);
}

QString LastDatabaseError(const clsAccessDBConnection &connection)
{
    const QList<QSqlError> errors = connection.GetADOErrors();
    if (errors.isEmpty())
        return QStringLiteral("unknown database error");
    return errors.constLast().text().simplified();
}

DatabaseChange::~DatabaseChange()
{
    abandon();
}

bool DatabaseChange::begin(const QString &databasePath, bool mustBeNew, QString *error)
{
    const DbBackend backend = DatabaseBackendForPath(databasePath);
    if (backend == DbBackend::Access) {
        *error = QStringLiteral("%1 is an Access file; the tables can be written to SQLite files and "
                                "PostgreSQL servers only.").arg(DatabaseDisplayName(databasePath));
        return false;
    }
    m_finalPath = databasePath;
    m_displayName = DatabaseDisplayName(databasePath);
    QString target = databasePath;
    if (backend == DbBackend::Sqlite) {
        const QFileInfo info(databasePath);
        if (info.exists() && !info.isFile()) {
            *error = QStringLiteral("%1 is not a file.").arg(DatabaseDisplayName(databasePath));
            return false;
        }
        if (info.exists() && mustBeNew) {
            *error = QStringLiteral("%1 exists already.").arg(DatabaseDisplayName(databasePath));
            return false;
        }
        if (!info.exists()) {
            if (!info.absoluteDir().exists()) {
                *error = QStringLiteral("The folder %1 does not exist.").arg(info.absolutePath());
                return false;
            }
            QTemporaryFile file(info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
            file.setAutoRemove(false);
            if (!file.open()) {
                *error = QStringLiteral("Cannot create a file in %1: %2").arg(info.absolutePath(), file.errorString());
                return false;
            }
            // Readable as any new file, not only by its owner.
            UseDefaultPermissions(file);
            m_temporaryPath = file.fileName();
            target = m_temporaryPath;
        }
    }
    m_connection = std::make_unique<clsAccessDBConnection>();
    m_connection->setDatabase(target);
    if (!m_connection->Connect()) {
        *error = QStringLiteral("Cannot open the database %1: %2").arg(m_displayName, LastDatabaseError(*m_connection));
        abandon();
        return false;
    }
    if (!m_connection->OpenTransaction()) {
        *error = QStringLiteral("Cannot start a change of %1: %2").arg(m_displayName, LastDatabaseError(*m_connection));
        abandon();
        return false;
    }
    m_inTransaction = true;
    for (const QString &statement : ConfigSchemaStatements(m_connection->Backend())) {
        QString why;
        if (!ExecStatement(*m_connection, statement, {}, &why)) {
            *error = QStringLiteral("Cannot create the tables in %1: %2").arg(m_displayName, why.simplified());
            abandon();
            return false;
        }
    }
    return true;
}

bool DatabaseChange::commit(QString *error)
{
    if (!m_connection || !m_inTransaction) {
        *error = QStringLiteral("No change is open.");
        return false;
    }
    m_inTransaction = false;
    if (!m_connection->CommitTransaction()) {
        *error = QStringLiteral("Cannot save the change to %1: %2").arg(m_displayName, LastDatabaseError(*m_connection));
        m_connection->RollbackTransaction();
        abandon();
        return false;
    }
    m_connection.reset();
    if (!m_temporaryPath.isEmpty()) {
        // rename() would silently replace a file made meanwhile; QFile::rename does not.
        if (!QFile::rename(m_temporaryPath, m_finalPath)) {
            *error = QStringLiteral("Cannot create %1 (it may have been created meanwhile).").arg(m_finalPath);
            abandon();
            return false;
        }
        m_temporaryPath.clear();
    }
    return true;
}

void DatabaseChange::abandon()
{
    if (m_connection) {
        if (m_inTransaction)
            m_connection->RollbackTransaction();
        m_inTransaction = false;
        m_connection.reset();
    }
    if (!m_temporaryPath.isEmpty()) {
        RemoveSqliteFiles(m_temporaryPath);
        m_temporaryPath.clear();
    }
}
