#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Bounds for a helper program whose input may be damaged or hostile.
struct ProcessLimits {
    int timeoutMs = 60 * 1000;
    qint64 maxOutputBytes = 16 * 1024 * 1024;
    // Address space of the program (where the system can limit it); 0: none.
    qint64 maxMemoryBytes = 1024LL * 1024 * 1024;
};

// Runs `program` to its end and returns its standard output in *output.
// Past a limit it stops reading, kills the program with everything it
// started, and fails; *error then says which limit, or what the program
// printed on failing. Memory held here stays within the output limit.
bool RunBoundedProcess(const QString &program, const QStringList &arguments,
                       const ProcessLimits &limits, QByteArray *output, QString *error);
