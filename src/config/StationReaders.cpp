#include "StationTables.h"

#include "DBAssist.h"
#include "Messages.h"
#include "StationRowReader.h"
#include "clsAccessDBConnection.h"

namespace {

template <typename T>
bool query(clsAccessDBConnection &connection, const SqlStatement &statement, RecordSet *rows,
           LoadResult<T> &result)
{
    return OpenRecordset(connection, statement.text, statement.values, rows, &result.error);
}

} // namespace

LoadResult<MachineAssignment> LoadStationMachines(clsAccessDBConnection &connection,
                                                  const QString &stationKey)
{
    LoadResult<MachineAssignment> result;
    RecordSet rows;
    if (!query(connection, StationMachinesQuery(connection.Backend(), stationKey), &rows, result))
        return result;
    for (int i = 0; i < rows.count(); ++i) {
        StationRowReader r(rows, i);
        MachineAssignment m;
        m.MACHINE_ID = r.requiredInt(QStringLiteral("MACHINE_ID"));
        m.MACHINE_NUMBER = r.requiredText(QStringLiteral("MACHINE_NUMBER"));
        m.MACHINE_NAME = r.requiredText(QStringLiteral("MACHINE_NAME"));
        m.IP_ADDRESS = r.requiredText(QStringLiteral("IP_ADDRESS"));
        m.PORT = r.requiredInt(QStringLiteral("PORT"));
        m.ICON_INDEX = r.requiredInt(QStringLiteral("ICON_INDEX"));
        m.MPPC_ID = r.requiredInt(QStringLiteral("MPPC_ID"));
        m.EDIT_MODE = r.requiredInt(QStringLiteral("EDIT_MODE"));
        m.CMD_TYPE = r.requiredInt(QStringLiteral("CMD_TYPE"));
        m.SEND_REMOTE_CMD = r.optionalText(QStringLiteral("SEND_REMOTE_CMD"));
        m.SEND_EXTENSION = ParseExtensionList(r.optionalText(QStringLiteral("SEND_EXTENSION")));
        m.SEND_DIRECTORY = r.optionalText(QStringLiteral("SEND_DIRECTORY"));
        m.RECV_REMOTE_CMD = r.optionalText(QStringLiteral("RECV_REMOTE_CMD"));
        m.RECV_EXTENSION = ParseExtensionList(r.optionalText(QStringLiteral("RECV_EXTENSION")));
        m.RECV_DIRECTORY = r.optionalText(QStringLiteral("RECV_DIRECTORY"));
        if (!r.ok()) {
            result.error = r.error();
            result.rows.clear();
            return result;
        }
        result.rows << m;
    }
    result.ok = true;
    return result;
}

LoadResult<MachineChoice> LoadMachineChoices(clsAccessDBConnection &connection,
                                             const QString &stationKey)
{
    LoadResult<MachineChoice> result;
    RecordSet rows;
    if (!query(connection, MachinesForStationQuery(connection.Backend(), stationKey), &rows, result))
        return result;
    for (int i = 0; i < rows.count(); ++i) {
        StationRowReader r(rows, i);
        MachineChoice m;
        m.MACHINE_ID = r.requiredInt(QStringLiteral("MACHINE_ID"));
        m.MACHINE_NUMBER = r.requiredText(QStringLiteral("MACHINE_NUMBER"));
        m.MACHINE_NAME = r.requiredText(QStringLiteral("MACHINE_NAME"));
        m.enabled = !r.isNull(QStringLiteral("MPPC_ID"));
        if (m.enabled) {
            m.EDIT_MODE = r.requiredInt(QStringLiteral("EDIT_MODE"));
            m.CMD_TYPE = r.requiredInt(QStringLiteral("CMD_TYPE"));
        }
        if (!r.ok()) {
            result.error = r.error();
            result.rows.clear();
            return result;
        }
        result.rows << m;
    }
    result.ok = true;
    return result;
}

LoadResult<MachineOptions> LoadMachineOptions(clsAccessDBConnection &connection,
                                              const QString &stationKey,
                                              TransferDirection direction,
                                              const QList<int> &machineIds)
{
    LoadResult<MachineOptions> result;
    RecordSet rows;
    if (!query(connection,
               StationOptionsQuery(connection.Backend(), stationKey, direction, machineIds), &rows,
               result))
        return result;
    const bool send = direction == TransferDirection::Send;
    const QString prefix = send ? QStringLiteral("SEND_") : QStringLiteral("RECV_");
    for (int i = 0; i < rows.count(); ++i) {
        StationRowReader r(rows, i);
        MachineOptions m;
        m.MACHINE_ID = r.requiredInt(QStringLiteral("MACHINE_ID"));
        m.MACHINE_NUMBER = r.requiredText(QStringLiteral("MACHINE_NUMBER"));
        m.MACHINE_NAME = r.requiredText(QStringLiteral("MACHINE_NAME"));
        m.hasRow = !r.isNull(QStringLiteral("MPPC_ID"));
        if (m.hasRow) {
            m.remoteCommand = r.optionalText(prefix + QStringLiteral("REMOTE_CMD"));
            m.extension = r.optionalText(prefix + QStringLiteral("EXTENSION"));
            m.directory = r.optionalText(prefix + QStringLiteral("DIRECTORY"));
        } else {
            m.remoteCommand = GetMessageText(send ? 189 : 190);
        }
        if (!r.ok()) {
            result.error = r.error();
            result.rows.clear();
            return result;
        }
        result.rows << m;
    }
    result.ok = true;
    return result;
}
