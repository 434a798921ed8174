#pragma once

// qspindrel-config run as a process, as administrators run it.

#include "FileBytes.h"

#include <QDir>
#include <QProcess>

struct ToolResult {
    int exitCode = -1;  // -1: it did not end normally
    QString out, err;
};

inline ToolResult RunConfigTool(const QStringList &arguments, const QString &workingDirectory = {},
                                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.setProcessEnvironment(environment);
    process.start(QDir(qEnvironmentVariable("QS_BIN_DIR")).filePath("qspindrel-config"), arguments);
    ToolResult result;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    // Windows ends the lines of a program's text output with CR LF.
    result.out = QString::fromUtf8(process.readAllStandardOutput()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.err = QString::fromUtf8(process.readAllStandardError()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}
