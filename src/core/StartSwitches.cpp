#include "StartSwitches.h"

StartSwitches ParseStartSwitches(const QString &argumentString)
{
    const QString upper = argumentString.toUpper();
    StartSwitches switches;
    switches.userMode = upper.contains(QLatin1String("-USER"), Qt::CaseSensitive);
    switches.properties = upper.contains(QLatin1String("-PROPERTIES"), Qt::CaseSensitive);
    return switches;
}

QString ArgumentString(const QStringList &applicationArguments)
{
    return applicationArguments.mid(1).join(QLatin1Char(' '));
}
