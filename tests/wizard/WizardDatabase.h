#pragma once

// A configuration database for the wizard's tests: machines 3, 5 and 7 (and
// more on request); this station has rows for 3 (Send) and 5 (Both), the
// station "OTHER" rows for 3 and 7.

#include "../config/TestDatabases.h"
#include "Platform.h"

inline bool SeedWizardDatabase(clsAccessDBConnection &c, const QString &folder, int port = 5001,
                               int extraMachines = 0, QString *error = nullptr)
{
    if (!CreateConfigTables(c, error) || !c.OpenTransaction())
        return false;
    QList<int> ids{3, 5, 7};
    for (int i = 0; i < extraMachines; ++i)
        ids << 100 + i;
    for (int id : ids)
        if (!ExecStatement(c, QStringLiteral("INSERT INTO T_DNC_MACHINES VALUES (?, ?, ?, '127.0.0.1', ?, ?)"),
                           {id, QStringLiteral("M%1").arg(id), QStringLiteral("Machine %1").arg(id), port, id % 31 + 1},
                           error))
            return c.RollbackTransaction(), false;
    const QString insert = QStringLiteral(
        "INSERT INTO T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE, CMD_TYPE, SEND_REMOTE_CMD, SEND_EXTENSION,"
        " SEND_DIRECTORY, RECV_REMOTE_CMD, RECV_EXTENSION, RECV_DIRECTORY) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QVariant null;
    const QString dir = folder + QLatin1Char('/');
    const bool ok = ExecStatement(c, insert, {3, GetPCName(), 1, 0, QStringLiteral("LOAD3"), QStringLiteral(".NC"), dir, null, null, null}, error)
        && ExecStatement(c, insert, {5, GetPCName(), 2, 2, QStringLiteral("LOAD5"), null, dir, QStringLiteral("SAVE5"), null, dir}, error)
        && ExecStatement(c, insert, {3, QStringLiteral("OTHER"), 0, 2, QStringLiteral("X"), null, dir, QStringLiteral("Y"), null, dir}, error)
        && ExecStatement(c, insert, {7, QStringLiteral("OTHER"), 0, 0, QStringLiteral("Z"), null, dir, null, null, null}, error);
    return ok ? c.CommitTransaction() : (c.RollbackTransaction(), false);
}

// The station's rows as text, one line per row in MACHINE_ID order, for
// comparing whole tables.
inline QStringList StationRowsText(clsAccessDBConnection &c, const QString &key)
{
    RecordSet rows;
    if (!OpenRecordset(c, QStringLiteral("SELECT MACHINE_ID, EDIT_MODE, CMD_TYPE, SEND_REMOTE_CMD, SEND_EXTENSION,"
                                         " SEND_DIRECTORY, RECV_REMOTE_CMD, RECV_EXTENSION, RECV_DIRECTORY"
                                         " FROM T_DNC_MPPC WHERE PC_NAME = ? ORDER BY MACHINE_ID"),
                       {key}, &rows))
        return {QStringLiteral("query failed")};
    QStringList lines;
    for (int r = 0; r < rows.count(); ++r) {
        QStringList cells;
        for (const QVariant &v : rows.row(r))
            cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}
