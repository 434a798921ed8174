#pragma once

#include "clsAccessDBConnection.h"

#include <QString>
#include <memory>

// A change to a configuration database that lands whole or not at all. A new
// SQLite file is built under a temporary name beside its final place and
// renamed when done, so no half-made file is ever seen under that name; an
// existing database (or a server) is changed in one transaction. Either way
// the two tables are created first when they are missing.
class DatabaseChange
{
public:
    DatabaseChange() = default;
    ~DatabaseChange();
    DatabaseChange(const DatabaseChange &) = delete;
    DatabaseChange &operator=(const DatabaseChange &) = delete;

    // `mustBeNew`: refuse a database file that exists already.
    bool begin(const QString &databasePath, bool mustBeNew, QString *error);
    clsAccessDBConnection &connection() { return *m_connection; }
    // True when the database file did not exist before.
    bool createsFile() const { return !m_temporaryPath.isEmpty(); }
    bool commit(QString *error);
    // Rolls back and removes the temporary file; also done by the destructor.
    void abandon();

private:
    QString m_finalPath;
    QString m_displayName;
    QString m_temporaryPath;
    std::unique_ptr<clsAccessDBConnection> m_connection;
    bool m_inTransaction = false;
};

// A database path for messages: a server URL without its password.
QString DatabaseDisplayName(const QString &databasePath);

// The last error the connection kept, as one line.
QString LastDatabaseError(const clsAccessDBConnection &connection);
