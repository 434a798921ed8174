#pragma once

#include "StationTables.h"

#include <QList>
#include <QString>

// One machine of the demo installation. Its programs lie in
// programs/<folder>/ and what it sends back in programs/<folder>/<receiveSub>.
struct DemoMachine {
    int id = 0;
    QString number;
    QString name;
    int port = 0;
    int icon = 1;
    QString folder;
    QString receiveSub; // "" : receives into the sending folder
};

QList<DemoMachine> DemoMachines();

// The station's rows: computer mode (all but the last machine, which stays
// unassigned for the wizard to offer) and user mode (a few, with other rights).
// `programsRoot` is the absolute programs folder; directories end with the
// platform's separator.
QList<StationMachineSetting> DemoComputerRows(const QString &programsRoot);
QList<StationMachineSetting> DemoUserRows(const QString &programsRoot);

// Every machine listens on this address at its own port.
inline QString DemoServerAddress() { return QStringLiteral("127.0.0.1"); }
