#include "RemoteCommandLine.h"

QString BuildRemoteCommandLine(const QString &remoteCommand, const QString &fullPath)
{
    return remoteCommand + QLatin1Char(' ') + fullPath;
}
