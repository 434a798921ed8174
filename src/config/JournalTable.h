#pragma once

#include "DatabaseTarget.h"
#include "JournalEntry.h"
#include "JournalFilter.h"
#include "JournalSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

class clsAccessDBConnection;

// T_DNC_JOURNAL: one row per request of every station that keeps its
// journal in the configuration database too. A table of its own; the station
// tables are never touched.
QString JournalTableName();

// CREATE statements (if it does not exist) for SQLite or PostgreSQL; empty for Access.
QStringList JournalTableStatements(DbBackend backend);

// Creates the table on the open connection in one transaction.
bool CreateJournalTable(clsAccessDBConnection &connection, QString *errorText = nullptr);
// The same inside a transaction the caller holds (a database being made).
bool AddJournalTable(clsAccessDBConnection &connection, QString *errorText = nullptr);

bool InsertJournalEntry(clsAccessDBConnection &connection, const JournalEntry &entry,
                        QString *errorText = nullptr);

// The rows that pass `filter`, in time order.
bool ReadJournalTable(clsAccessDBConnection &connection, const JournalFilter &filter,
                      QList<JournalEntry> *entries, QString *errorText = nullptr);

// Opens its own connection to `databasePath` on the calling thread, inserts
// the entry and closes it again. The error never names a password.
bool WriteJournalEntryToDatabase(const QString &databasePath, const JournalEntry &entry,
                                 QString *errorText = nullptr);

// The journal settings of the user (section "Journal"), with their defaults.
JournalSettings ReadJournalSettings();

// The user's journal folder: "Quorvane/<application title>/journal" in the
// user's data folder ($XDG_DATA_HOME, ~/.local/share; %LOCALAPPDATA% on Windows).
QString DefaultJournalFolder();
