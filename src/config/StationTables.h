#pragma once

// The station tables T_DNC_MACHINES and T_DNC_MPPC: codes, records, readers
// and the writer of one station's rows.

#include "StationCodes.h"
#include "StationStatements.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class clsAccessDBConnection;

// One machine assigned to the station: the joined row of T_DNC_MACHINES and
// the station's T_DNC_MPPC row. Texts exactly as stored; null send/receive
// texts read as empty, null extension texts as empty lists.
struct MachineAssignment {
    int MACHINE_ID = 0;
    QString MACHINE_NUMBER;
    QString MACHINE_NAME;
    QString IP_ADDRESS;
    int PORT = 0;
    int ICON_INDEX = 0;
    int MPPC_ID = 0;
    int EDIT_MODE = 0;
    int CMD_TYPE = 0;
    QString SEND_REMOTE_CMD;
    QStringList SEND_EXTENSION;
    QString SEND_DIRECTORY;
    QString RECV_REMOTE_CMD;
    QStringList RECV_EXTENSION;
    QString RECV_DIRECTORY;
};

// A machine of T_DNC_MACHINES as the wizard's station step lists it.
// Not assigned: EDIT_MODE 0 (None) and CMD_TYPE 2 (Both).
struct MachineChoice {
    int MACHINE_ID = 0;
    QString MACHINE_NUMBER;
    QString MACHINE_NAME;
    bool enabled = false; // the machine has a row for the station
    int EDIT_MODE = EditModeNone;
    int CMD_TYPE = CmdTypeBoth;
};

// A machine's send or receive options as the wizard's options steps list
// them. Without a row for the station: the default remote command (189
// "LOAD" / 190 "SAVE"), empty extension and directory.
struct MachineOptions {
    int MACHINE_ID = 0;
    QString MACHINE_NUMBER;
    QString MACHINE_NAME;
    bool hasRow = false;
    QString remoteCommand;
    QString extension;
    QString directory;
};

// One row the wizard writes for an enabled machine. The send texts are used
// when CMD_TYPE is Send or Both, the receive texts when Receive or Both; they
// are taken as the administrator left them and stored by the wizard's rules
// (extension with a leading ".", null when empty; directory with a trailing
// backslash).
struct StationMachineSetting {
    int MACHINE_ID = 0;
    int EDIT_MODE = EditModeNone;
    int CMD_TYPE = CmdTypeBoth;
    QString sendRemoteCommand;
    QString sendExtension;
    QString sendDirectory;
    QString recvRemoteCommand;
    QString recvExtension;
    QString recvDirectory;
};

// A reader's result: ok, or the error's description (driver text, or which
// column of which machine broke the conversion rules).
template <typename T>
struct LoadResult {
    bool ok = false;
    QString error;
    QList<T> rows;
};

// The station's machines in MACHINE_ID order; an empty list when it has none.
LoadResult<MachineAssignment> LoadStationMachines(clsAccessDBConnection &connection,
                                                  const QString &stationKey);
// Every machine, assigned to the station or not, in MACHINE_ID order.
LoadResult<MachineChoice> LoadMachineChoices(clsAccessDBConnection &connection,
                                             const QString &stationKey);
// Options of the given machines for one direction, in MACHINE_ID order.
LoadResult<MachineOptions> LoadMachineOptions(clsAccessDBConnection &connection,
                                              const QString &stationKey,
                                              TransferDirection direction,
                                              const QList<int> &machineIds);

struct SaveResult {
    enum Status {
        Saved,
        DeleteFailed, // the old rows could not be deleted (StationRowsNotDeleted)
        Failed,       // anything else; error holds the description
    };
    Status status = Failed;
    QString error;
    bool ok() const { return status == Saved; }
};

// Replaces every T_DNC_MPPC row of the station by one row per setting, in one
// transaction: on any failure (begin and commit included) everything is
// rolled back and the table stays as it was. Rows of other station keys are
// not touched.
SaveResult SaveStationMachines(clsAccessDBConnection &connection, const QString &stationKey,
                               const QList<StationMachineSetting> &settings);
