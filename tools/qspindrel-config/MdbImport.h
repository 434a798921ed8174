#pragma once

#include "BoundedProcess.h"
#include "MdbExport.h"

#include <QString>
#include <optional>

// The two station tables of an Access file, read with mdbtools.
struct MdbStationTables {
    TableRows machines; // T_DNC_MACHINES
    TableRows mppc;     // T_DNC_MPPC
};

// Fails with a message that names the file and what is wrong with it: not
// readable, not an Access file, without the station tables, or so damaged
// that mdbtools runs past `limits` (each run is stopped there).
std::optional<MdbStationTables> ReadMdbStationTables(const QString &mdbFile, QString *error,
                                                     const ProcessLimits &limits = {});

// Copies both tables into the database at `databasePath` (a new SQLite file,
// or an existing database whose station tables are empty), ids and nulls
// kept, all or nothing. Rows the station could not use (CheckStationTableRows)
// are refused before anything is written. Notes for the user (columns not copied) go to *notes.
bool ImportStationTables(const MdbStationTables &tables, const QString &databasePath,
                         QStringList *notes, QString *error);
