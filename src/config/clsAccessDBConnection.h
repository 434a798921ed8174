#pragma once

#include "DatabaseTarget.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariantList>

// One connection to the configuration database, owned by one window for its
// whole life. Each object registers its own uniquely named QSqlDatabase
// connection; use it only from the thread that created the object.
//
// The path set with setDatabase() picks the engine (see DatabaseTarget.h):
// Access files through ODBC, postgresql:// URLs, otherwise an SQLite file.
// An SQLite file is never created by Connect: a missing file fails.
//
// No operation shows a message. Connect, SQL and the transaction calls return
// false on failure and keep the driver's error in GetADOErrors() until
// GetADOConnection() or ClearADOErrors() clears it.
class clsAccessDBConnection
{
public:
    explicit clsAccessDBConnection(int busyTimeoutMs = DefaultBusyTimeoutMs);
    ~clsAccessDBConnection();
    clsAccessDBConnection(const clsAccessDBConnection &) = delete;
    clsAccessDBConnection &operator=(const clsAccessDBConnection &) = delete;

    // Always true; closes the connection when it is open.
    bool Disconnect();
    // True when open afterwards; a second call while open does nothing.
    bool Connect();
    bool IsConnected() const;

    // Clears the kept errors and returns the connection for readers
    // (OpenRecordset in DBAssist.h). Do not keep the returned object beyond
    // the call that uses it.
    QSqlDatabase GetADOConnection();
    // The driver's error details kept since the last clear, oldest first.
    QList<QSqlError> GetADOErrors() const;
    void ClearADOErrors();
    // Why the last Connect failed, for a person: the kept errors in plain
    // words, naming the database without its password.
    QString ConnectFailureText() const;
    // Appends an error (readers and writers that work on the connection
    // report theirs here too).
    void AddADOError(const QSqlError &error);

    // The "Database" property: the stored path; takes effect at the next Connect.
    QString Database() const;
    void setDatabase(const QString &path);

    // "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + path + ";Persist Security"
    QString GetConnectInfo() const;
    // The connection string last used by a successful or failed Connect.
    QString LastConnectInfo() const;

    // Runs one statement that returns no rows. "" returns true at once.
    bool SQL(const QString &sqlText);
    // The same with positional "?" values bound in order.
    bool SQL(const QString &sqlText, const QVariantList &values);

    // On SQLite the transaction starts with BEGIN IMMEDIATE, so that a
    // second writer waits for the first instead of failing.
    bool OpenTransaction();
    bool CommitTransaction();
    bool RollbackTransaction();

    // Engine of the current path (valid before Connect too).
    DbBackend Backend() const;
    QString ConnectionName() const;

private:
    bool execOnConnection(const QString &sqlText, const QVariantList &values);
    bool transactionStep(const char *sqliteStatement, bool (QSqlDatabase::*step)());
    void dropRegistration();

    QString m_database;
    QString m_connectInfo;
    QString m_connectionName;
    bool m_registered = false;
    bool m_connected = false;
    int m_busyTimeoutMs;
    QList<QSqlError> m_errors;
};
