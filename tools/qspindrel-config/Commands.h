#pragma once

#include <QStringList>
#include <QTextStream>

// Exit statuses of qspindrel-config.
enum ExitStatus : int { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Runs one command line (without the program name); normal output to `out`,
// messages to `err`.
int RunCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);
