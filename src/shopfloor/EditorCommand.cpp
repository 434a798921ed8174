#include "EditorCommand.h"

LaunchCommand EditorCommandLine(const QString &editorPath, const QString &fullPath, bool viewOnly)
{
    const QChar quote = QLatin1Char('"');
    LaunchCommand command;
    command.program = editorPath;
    command.arguments << fullPath;
    command.nativeCommandLine = quote + editorPath + quote + QLatin1Char(' ') + quote + fullPath + quote;
    if (viewOnly) {
        command.arguments << QStringLiteral("-o");
        command.nativeCommandLine += QStringLiteral(" -o ");
    }
    return command;
}

QString EditorWorkingDirectory(const QString &fullPath, QChar separator)
{
    return GetParentFolder(fullPath, true, separator);
}
