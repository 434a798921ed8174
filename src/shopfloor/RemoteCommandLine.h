#pragma once

#include <QByteArray>
#include <QString>

// The text of one request to the DNC server: the remote command, one blank and
// the full path, unquoted, with nothing before or after it.
QString BuildRemoteCommandLine(const QString &remoteCommand, const QString &fullPath);
