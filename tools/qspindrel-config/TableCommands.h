#pragma once

#include <QStringList>
#include <QTextStream>

// Commands that change the machine table, move the tables as CSV and copy a
// station; each takes the arguments after its name and returns an exit status.
int ListMachines(const QStringList &arguments, QTextStream &out, QTextStream &err);
int AddMachine(const QStringList &arguments, QTextStream &out, QTextStream &err);
int SetMachine(const QStringList &arguments, QTextStream &out, QTextStream &err);
int RemoveMachine(const QStringList &arguments, QTextStream &out, QTextStream &err);
int ExportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err);
int ImportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err);
int CopyStation(const QStringList &arguments, QTextStream &out, QTextStream &err);
