#pragma once

#include "DatabaseTarget.h"

#include <QList>
#include <QString>
#include <QVariantList>

// One statement with its positional "?" values in order. The station key is
// always a bound value, never part of the text.
struct SqlStatement {
    QString text;
    QVariantList values;
};

// The comparison of T_DNC_MPPC.PC_NAME with one bound value, ignoring case
// on every engine (Access compares so by itself).
QString StationKeyCondition(DbBackend backend);

// Machines of the station, inner join, all columns but PC_NAME, by MACHINE_ID.
SqlStatement StationMachinesQuery(DbBackend backend, const QString &stationKey);
// Every machine with the station's EDIT_MODE, CMD_TYPE and MPPC_ID (null
// when not assigned), by MACHINE_ID.
SqlStatement MachinesForStationQuery(DbBackend backend, const QString &stationKey);

enum class TransferDirection { Send, Receive };
// The machines of machineIds with the station's remote command, extension,
// directory and MPPC_ID for sending or receiving, by MACHINE_ID.
SqlStatement StationOptionsQuery(DbBackend backend, const QString &stationKey,
                                 TransferDirection direction, const QList<int> &machineIds);
// "3, 7, 12"
QString MachineIdList(const QList<int> &machineIds);

// Deletes every row of the station.
SqlStatement DeleteStationRowsStatement(DbBackend backend, const QString &stationKey);

struct StationMachineSetting;
// Adds one row of the station; only the columns the row's CMD_TYPE sets are
// named, so the others get the column's default. Extension and directory are
// stored by StoredExtensionText / StoredDirectoryText.
SqlStatement InsertStationRowStatement(const QString &stationKey, const StationMachineSetting &row);
