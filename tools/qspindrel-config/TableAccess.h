#pragma once

#include "DatabaseChange.h"

#include <QString>
#include <QTextStream>

class clsAccessDBConnection;

// Opens an existing configuration database for reading: refuses a missing
// SQLite file (it would be made empty) and a database without the tables.
bool OpenForReading(const QString &databasePath, clsAccessDBConnection &connection, QString *error);

// Begins a change; `mayCreate` allows a new SQLite file, else a missing one
// is refused.
bool BeginChange(const QString &databasePath, bool mayCreate, DatabaseChange &change, QString *error);

// "qspindrel-config: MESSAGE" on err; the exit status for a refusal.
int Refuse(QTextStream &err, const QString &message);
// The exit status for wrong use of the command line, with the usage line.
int RefuseUsage(QTextStream &err, const QString &message, const char *usage);
