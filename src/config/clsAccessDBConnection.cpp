#include "clsAccessDBConnection.h"

#include "DBAssist.h"
#include "MessageText.h"

#include <QFileInfo>
#include <QSqlQuery>

#include <atomic>

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("qs-config-%1").arg(++counter);
}

QSqlError connectionError(const QString &text)
{
    return QSqlError(QString(), text, QSqlError::ConnectionError);
}

QSqlError accessDriverMissing(const QString &file)
{
    return connectionError(GetMessageText(MessageId::AccessDriverMissing, file));
}

} // namespace

clsAccessDBConnection::clsAccessDBConnection(int busyTimeoutMs)
    : m_connectionName(nextConnectionName()), m_busyTimeoutMs(busyTimeoutMs)
{
}

clsAccessDBConnection::~clsAccessDBConnection()
{
    Disconnect();
    dropRegistration();
}

bool clsAccessDBConnection::Disconnect()
{
    if (m_connected) {
        QSqlDatabase::database(m_connectionName, false).close();
        m_connected = false;
    }
    return true;
}

bool clsAccessDBConnection::Connect()
{
    if (m_connected)
        return true;
    m_connectInfo = GetConnectInfo();

    const DatabaseTarget target = ResolveDatabaseTarget(m_database, m_busyTimeoutMs);
    if (!target.error.isEmpty()) {
        AddADOError(connectionError(target.error));
        return false;
    }
    // QSQLITE would create a missing file; a mistyped path must not become
    // an empty configuration.
    if (!target.filePath.isEmpty() && !QFileInfo(target.filePath).isFile()) {
        AddADOError(connectionError(GetMessageText(MessageId::DatabaseFileNotFound, target.filePath)));
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(target.driver)) {
        if (target.backend == DbBackend::Access)
            AddADOError(accessDriverMissing(target.filePath));
        else
            AddADOError(connectionError(GetMessageText(MessageId::DatabaseDriverMissing, target.driver)));
        return false;
    }

    dropRegistration();
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(target.driver, m_connectionName);
        m_registered = true;
        db.setDatabaseName(target.databaseName);
        if (!target.hostName.isEmpty())
            db.setHostName(target.hostName);
        if (target.port >= 0)
            db.setPort(target.port);
        if (!target.userName.isEmpty())
            db.setUserName(target.userName);
        if (!target.password.isEmpty())
            db.setPassword(target.password);
        db.setConnectOptions(target.connectOptions);
        opened = db.open();
        if (!opened && target.backend == DbBackend::Access) {
            // Older 32-bit Windows has only the driver for .mdb files.
            QStringList answers{db.lastError().text()};
            for (const QString &driver : AccessOdbcDrivers().mid(1)) {
                db.setDatabaseName(AccessConnectionString(driver, target.filePath));
                opened = db.open();
                if (opened)
                    break;
                answers << db.lastError().text();
            }
            if (!opened)
                AddADOError(connectionError(AccessOpenError(target.filePath, answers)));
        } else if (!opened) {
            AddADOError(db.lastError());
            // ODBC without the Access driver fails only here.
            if (target.backend == DbBackend::Access)
                AddADOError(accessDriverMissing(target.filePath));
        } else if (target.backend == DbBackend::Sqlite) {
            // SQLite opens any file lazily; read its catalogue so that a file
            // that is no database fails here and not at the first query.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
                AddADOError(probe.lastError());
                opened = false;
            }
            probe.finish();
            if (!opened)
                db.close();
        }
    }
    if (!opened) {
        dropRegistration();
        return false;
    }
    m_connected = true;
    return true;
}

bool clsAccessDBConnection::IsConnected() const
{
    return m_connected;
}

QSqlDatabase clsAccessDBConnection::GetADOConnection()
{
    ClearADOErrors();
    if (!m_registered)
        return QSqlDatabase();
    return QSqlDatabase::database(m_connectionName, false);
}

QList<QSqlError> clsAccessDBConnection::GetADOErrors() const
{
    return m_errors;
}

void clsAccessDBConnection::ClearADOErrors()
{
    m_errors.clear();
}

QString clsAccessDBConnection::ConnectFailureText() const
{
    QStringList reasons;
    bool fromDriver = false;
    for (const QSqlError &e : m_errors) {
        // Our own errors are whole sentences; a driver's are fragments.
        fromDriver = fromDriver || !e.driverText().isEmpty();
        // Drivers indent their continuation lines with tabs.
        const QString text = e.databaseText().trimmed().isEmpty() ? e.driverText().simplified()
                                                                  : e.databaseText().simplified();
        if (!text.isEmpty() && !reasons.contains(text))
            reasons << text;
    }
    if (reasons.isEmpty())
        reasons << GetMessageText(MessageId::NoReasonGiven);
    if (!fromDriver)
        return reasons.join(QLatin1Char('\n'));
    return GetMessageText(MessageId::DatabaseNotOpenedBecause, PathForDisplay(m_database),
                          reasons.join(QLatin1Char('\n')));
}

void clsAccessDBConnection::AddADOError(const QSqlError &error)
{
    m_errors.append(error);
}

QString clsAccessDBConnection::Database() const
{
    return m_database;
}

void clsAccessDBConnection::setDatabase(const QString &path)
{
    m_database = path;
}

QString clsAccessDBConnection::GetConnectInfo() const
{
    return QLatin1String("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + m_database
         + QLatin1String(";Persist Security");
}

QString clsAccessDBConnection::LastConnectInfo() const
{
    return m_connectInfo;
}

bool clsAccessDBConnection::SQL(const QString &sqlText)
{
    return SQL(sqlText, QVariantList());
}

bool clsAccessDBConnection::SQL(const QString &sqlText, const QVariantList &values)
{
    if (sqlText.isEmpty())
        return true;
    return execOnConnection(sqlText, values);
}

bool clsAccessDBConnection::OpenTransaction()
{
    return transactionStep("BEGIN IMMEDIATE", &QSqlDatabase::transaction);
}

bool clsAccessDBConnection::CommitTransaction()
{
    return transactionStep("COMMIT", &QSqlDatabase::commit);
}

bool clsAccessDBConnection::RollbackTransaction()
{
    return transactionStep("ROLLBACK", &QSqlDatabase::rollback);
}

bool clsAccessDBConnection::transactionStep(const char *sqliteStatement,
                                            bool (QSqlDatabase::*step)())
{
    // QSQLITE begins with a plain BEGIN, after which a second writer fails at
    // once instead of waiting for the first.
    if (Backend() == DbBackend::Sqlite)
        return execOnConnection(QLatin1String(sqliteStatement), {});
    if (!m_connected) {
        AddADOError(connectionError(GetMessageText(MessageId::DatabaseNotOpen)));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if ((db.*step)())
        return true;
    AddADOError(db.lastError());
    return false;
}

DbBackend clsAccessDBConnection::Backend() const
{
    return DatabaseBackendForPath(m_database);
}

QString clsAccessDBConnection::ConnectionName() const
{
    return m_connectionName;
}

bool clsAccessDBConnection::execOnConnection(const QString &sqlText, const QVariantList &values)
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    const bool ok = RunStatement(*this, query, sqlText, values);
    query.finish();
    return ok;
}

void clsAccessDBConnection::dropRegistration()
{
    if (!m_registered)
        return;
    QSqlDatabase::removeDatabase(m_connectionName);
    m_registered = false;
}
