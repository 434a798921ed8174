#include "StationStatements.h"

#include "StationTables.h"

QString StationKeyCondition(DbBackend backend)
{
    switch (backend) {
    case DbBackend::Sqlite:
        // The explicit collation wins over the column's, so tables made by
        // other tools compare without case too.
        return QStringLiteral("PC_NAME = ? COLLATE NOCASE");
    case DbBackend::PostgreSql:
        return QStringLiteral("lower(PC_NAME) = lower(?)");
    case DbBackend::Access:
        break;
    }
    return QStringLiteral("PC_NAME = ?");
}

namespace {

// "(select * from T_DNC_MPPC  where <key condition>) JOIN1"
QString stationRows(DbBackend backend)
{
    return QLatin1String("(select * from T_DNC_MPPC ") + QLatin1String(" where ")
         + StationKeyCondition(backend) + QLatin1String(") JOIN1");
}

} // namespace

SqlStatement StationMachinesQuery(DbBackend backend, const QString &stationKey)
{
    SqlStatement s;
    s.text = QLatin1String("select T_DNC_MACHINES.MACHINE_ID, T_DNC_MACHINES.MACHINE_NUMBER, ")
           + QLatin1String(" T_DNC_MACHINES.MACHINE_NAME, T_DNC_MACHINES.IP_ADDRESS, T_DNC_MACHINES.PORT, ")
           + QLatin1String(" T_DNC_MACHINES.ICON_INDEX, JOIN1.MPPC_ID, JOIN1.EDIT_MODE, ")
           + QLatin1String(" JOIN1.CMD_TYPE, JOIN1.SEND_REMOTE_CMD, JOIN1.SEND_EXTENSION, ")
           + QLatin1String(" JOIN1.SEND_DIRECTORY, JOIN1.RECV_REMOTE_CMD, JOIN1.RECV_EXTENSION, ")
           + QLatin1String(" JOIN1.RECV_DIRECTORY ")
           + QLatin1String(" from T_DNC_MACHINES, ")
           + stationRows(backend)
           + QLatin1String(" where T_DNC_MACHINES.MACHINE_ID = JOIN1.MACHINE_ID ")
           + QLatin1String(" order by T_DNC_MACHINES.MACHINE_ID ");
    s.values << stationKey;
    return s;
}

SqlStatement MachinesForStationQuery(DbBackend backend, const QString &stationKey)
{
    SqlStatement s;
    s.text = QLatin1String("select T_DNC_MACHINES.MACHINE_ID, T_DNC_MACHINES.MACHINE_NUMBER, ")
           + QLatin1String(" T_DNC_MACHINES.MACHINE_NAME, JOIN1.EDIT_MODE, JOIN1.CMD_TYPE, JOIN1.MPPC_ID ")
           + QLatin1String(" from T_DNC_MACHINES LEFT JOIN ")
           + stationRows(backend)
           + QLatin1String(" on T_DNC_MACHINES.MACHINE_ID = JOIN1.MACHINE_ID ")
           + QLatin1String(" order by T_DNC_MACHINES.MACHINE_ID ");
    s.values << stationKey;
    return s;
}

QString MachineIdList(const QList<int> &machineIds)
{
    QStringList ids;
    ids.reserve(machineIds.size());
    for (int id : machineIds)
        ids << QString::number(id);
    return ids.join(QLatin1String(", "));
}

SqlStatement StationOptionsQuery(DbBackend backend, const QString &stationKey,
                                 TransferDirection direction, const QList<int> &machineIds)
{
    const bool send = direction == TransferDirection::Send;
    // An empty IN list is no valid SQL; NULL matches no machine.
    const QString ids = machineIds.isEmpty() ? QStringLiteral("NULL") : MachineIdList(machineIds);
    SqlStatement s;
    s.text = QLatin1String("select T_DNC_MACHINES.MACHINE_ID, T_DNC_MACHINES.MACHINE_NUMBER, ")
           + (send ? QLatin1String(" T_DNC_MACHINES.MACHINE_NAME, JOIN1.SEND_REMOTE_CMD, JOIN1.SEND_EXTENSION, ")
                   : QLatin1String(" T_DNC_MACHINES.MACHINE_NAME, JOIN1.RECV_REMOTE_CMD, JOIN1.RECV_EXTENSION, "))
           + (send ? QLatin1String(" JOIN1.SEND_DIRECTORY, JOIN1.MPPC_ID ")
                   : QLatin1String(" JOIN1.RECV_DIRECTORY, JOIN1.MPPC_ID "))
           + QLatin1String(" from T_DNC_MACHINES LEFT JOIN ")
           + stationRows(backend)
           + QLatin1String(" on T_DNC_MACHINES.MACHINE_ID = JOIN1.MACHINE_ID ")
           + QLatin1String(" where T_DNC_MACHINES.MACHINE_ID IN ( ") + ids + QLatin1String(") ")
           + QLatin1String(" order by T_DNC_MACHINES.MACHINE_ID ");
    s.values << stationKey;
    return s;
}

SqlStatement DeleteStationRowsStatement(DbBackend backend, const QString &stationKey)
{
    SqlStatement s;
    s.text = QLatin1String("DELETE from T_DNC_MPPC ") + QLatin1String(" where ")
           + StationKeyCondition(backend);
    s.values << stationKey;
    return s;
}

namespace {

// The insert's text for a row that sends and/or receives.
QString InsertText(bool sends, bool receives)
{
    QStringList columns{QStringLiteral("MACHINE_ID"), QStringLiteral("PC_NAME"),
                        QStringLiteral("EDIT_MODE"), QStringLiteral("CMD_TYPE")};
    if (sends)
        columns << QStringLiteral("SEND_REMOTE_CMD") << QStringLiteral("SEND_EXTENSION")
                << QStringLiteral("SEND_DIRECTORY");
    if (receives)
        columns << QStringLiteral("RECV_REMOTE_CMD") << QStringLiteral("RECV_EXTENSION")
                << QStringLiteral("RECV_DIRECTORY");
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QLatin1String("INSERT INTO T_DNC_MPPC (") + columns.join(QLatin1String(", "))
         + QLatin1String(") VALUES (") + marks.join(QLatin1String(", ")) + QLatin1Char(')');
}

} // namespace

SqlStatement InsertStationRowStatement(const QString &stationKey, const StationMachineSetting &row)
{
    // Four texts in all; made once, not for every row of a save.
    static const QString texts[4] = {InsertText(false, false), InsertText(false, true),
                                     InsertText(true, false), InsertText(true, true)};
    const bool sends = CmdTypeSends(row.CMD_TYPE), receives = CmdTypeReceives(row.CMD_TYPE);
    SqlStatement s;
    s.text = texts[(sends ? 2 : 0) + (receives ? 1 : 0)];
    // Plain int: the Access ODBC driver refuses 64-bit bindings.
    s.values.reserve(10);
    s.values << int(row.MACHINE_ID) << stationKey << int(row.EDIT_MODE) << int(row.CMD_TYPE);
    if (sends)
        s.values << row.sendRemoteCommand << StoredExtensionText(row.sendExtension)
                 << StoredDirectoryText(row.sendDirectory);
    if (receives)
        s.values << row.recvRemoteCommand << StoredExtensionText(row.recvExtension)
                 << StoredDirectoryText(row.recvDirectory);
    return s;
}
