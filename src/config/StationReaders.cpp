#include "StationTables.h"

#include "DBAssist.h"
#include "MessageText.h"
#include "StationRowReader.h"
#include "clsAccessDBConnection.h"

namespace {

// Each row through readRow; the first row that breaks a conversion rule fails
// the whole load, so a caller never works with part of the machines.
template <typename T, typename ReadRow>
LoadResult<T> loadRows(clsAccessDBConnection &connection, const SqlStatement &statement,
                       ReadRow readRow)
{
    LoadResult<T> result;
    RecordSet rows;
    if (!OpenRecordset(connection, statement.text, statement.values, &rows, &result.error))
        return result;
    for (int i = 0; i < rows.count(); ++i) {
        StationRowReader r(rows, i);
        const T row = readRow(r);
        if (!r.ok()) {
            result.error = r.error();
            result.rows.clear();
            return result;
        }
        result.rows << row;
    }
    result.ok = true;
    return result;
}

} // namespace

LoadResult<MachineAssignment> LoadStationMachines(clsAccessDBConnection &connection,
                                                  const QString &stationKey)
{
    return loadRows<MachineAssignment>(
        connection, StationMachinesQuery(connection.Backend(), stationKey),
        [](StationRowReader &r) {
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
            return m;
        });
}

LoadResult<MachineChoice> LoadMachineChoices(clsAccessDBConnection &connection,
                                             const QString &stationKey)
{
    return loadRows<MachineChoice>(
        connection, MachinesForStationQuery(connection.Backend(), stationKey),
        [](StationRowReader &r) {
            MachineChoice m;
            m.MACHINE_ID = r.requiredInt(QStringLiteral("MACHINE_ID"));
            m.MACHINE_NUMBER = r.requiredText(QStringLiteral("MACHINE_NUMBER"));
            m.MACHINE_NAME = r.requiredText(QStringLiteral("MACHINE_NAME"));
            m.enabled = !r.isNull(QStringLiteral("MPPC_ID"));
            if (m.enabled) {
                m.EDIT_MODE = r.requiredInt(QStringLiteral("EDIT_MODE"));
                m.CMD_TYPE = r.requiredInt(QStringLiteral("CMD_TYPE"));
            }
            return m;
        });
}

LoadResult<MachineOptions> LoadMachineOptions(clsAccessDBConnection &connection,
                                              const QString &stationKey,
                                              TransferDirection direction,
                                              const QList<int> &machineIds)
{
    const bool send = direction == TransferDirection::Send;
    const QString prefix = send ? QStringLiteral("SEND_") : QStringLiteral("RECV_");
    return loadRows<MachineOptions>(
        connection, StationOptionsQuery(connection.Backend(), stationKey, direction, machineIds),
        [&](StationRowReader &r) {
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
                // Stored with the station and sent to the server: never translated.
                m.remoteCommand = GetEnglishText(send ? MessageId::DefaultSendCommand
                                                      : MessageId::DefaultReceiveCommand);
            }
            return m;
        });
}
