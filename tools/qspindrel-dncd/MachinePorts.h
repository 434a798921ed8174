#pragma once

#include <QList>
#include <QString>

// The distinct ports of the machines in T_DNC_MACHINES of the configuration
// database at `database` (any path clsAccessDBConnection accepts). False with
// *error set when the database cannot be read or a port is out of range.
bool ReadMachinePorts(const QString &database, QList<quint16> *ports, QString *error);
