#pragma once

#include "DatabaseTarget.h"

#include <QString>
#include <QStringList>

class clsAccessDBConnection;

// CREATE statements of T_DNC_MACHINES and T_DNC_MPPC (if they do not exist)
// for SQLite or PostgreSQL: MPPC_ID filled by the database, PC_NAME compared
// without regard to case. Empty for Access (its tables are made elsewhere).
QStringList ConfigSchemaStatements(DbBackend backend);

// Creates the two tables on the open connection in one transaction.
bool CreateConfigTables(clsAccessDBConnection &connection, QString *errorText = nullptr);

// True when both tables exist (readers tolerate further columns).
bool HasConfigTables(clsAccessDBConnection &connection, QString *errorText = nullptr);

// Makes an empty SQLite database file (Connect never creates one). Fails when
// the file exists already.
bool CreateDatabaseFile(const QString &path, QString *errorText = nullptr);

// After rows were copied with their MPPC_ID values: makes the database's own
// numbering continue above the highest MPPC_ID (PostgreSQL; nothing to do on
// SQLite).
bool SyncMppcIdNumbering(clsAccessDBConnection &connection, QString *errorText = nullptr);
