#include "MachineToolbar.h"

#include <QFile>

QString MachineCaption(const QString &machineNumber, const QString &machineName)
{
    return machineNumber + QStringLiteral(" - ") + machineName;
}

QString MachineIconResource(int iconIndex)
{
    if (iconIndex < 1 || iconIndex > 31)
        return QStringLiteral(":/icons/MACH_GENERIC.svg");
    return QStringLiteral(":/icons/MACH%1.svg").arg(iconIndex);
}

QIcon MachineIcon(int iconIndex)
{
    QString path = MachineIconResource(iconIndex);
    if (!QFile::exists(path))
        path = QStringLiteral(":/icons/MACH_GENERIC.svg");
    return QIcon(path);
}
