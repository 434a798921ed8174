#pragma once

#include "MdbExport.h"

#include <QString>

// Checks rows meant for the station table `table` (T_DNC_MACHINES or
// T_DNC_MPPC; other tables pass) by the station's own reading rules, and
// beyond them the ranges the station needs to use a row: a TCP port, an IP
// address or host name, known EDIT_MODE and CMD_TYPE codes. Returns the first
// fault, naming the table, row (1 = first row after the header) and column;
// empty when every row is sound.
QString CheckStationTableRows(const QString &table, const TableRows &rows);

// An IPv4 or IPv6 address, or a host name by the rules of DNS (letters,
// digits and hyphens; not all digits at the end, so "300.1.1.1" is refused).
bool IsServerAddress(const QString &text);
