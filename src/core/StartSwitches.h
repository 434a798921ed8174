#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Both switches are found by a plain,
// case-insensitive substring search, so "-users" counts as "-USER".
struct StartSwitches {
    bool userMode = false;   // "-USER": station keyed by the session's user name
    bool properties = false; // "-PROPERTIES": the administration wizard
};

StartSwitches ParseStartSwitches(const QString &argumentString);

// Everything after the program name, as one string.
QString ArgumentString(const QStringList &applicationArguments);
