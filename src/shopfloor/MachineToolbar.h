#pragma once

#include <QIcon>
#include <QString>

// Caption of a machine button: number, " - ", name, exactly as stored.
QString MachineCaption(const QString &machineNumber, const QString &machineName);

// Resource of a machine's picture: ":/icons/MACH<n>.svg" for n in 1..31, the
// generic machine for any other number (there is no picture for it).
QString MachineIconResource(int iconIndex);
QIcon MachineIcon(int iconIndex);
