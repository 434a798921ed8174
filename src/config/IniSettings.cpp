#include "IniSettings.h"

#include <QDir>

namespace {

const QString kDwordPrefix = QStringLiteral("dword:");
const QString kStringPrefix = QStringLiteral("sz:");

} // namespace

namespace RegSettingsDetail {

std::optional<IniLocation> IniLocationForKey(const QString &keyPath)
{
    QStringList parts = keyPath.split(QLatin1Char('\\'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")
            || part.contains(QLatin1Char('/')))
            return std::nullopt;
    }
    if (parts.size() > 1 && parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    IniLocation location;
    if (parts.size() == 1) {
        location.file = parts.first() + QStringLiteral(".ini");
        return location;
    }
    location.file = parts.at(0) + QLatin1Char('/') + parts.at(1) + QStringLiteral(".ini");
    location.group = parts.mid(2).join(QLatin1Char('/'));
    return location;
}

QString UserConfigFolder()
{
    const QString fromEnv = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(fromEnv))
        return fromEnv;
    return QDir::homePath() + QStringLiteral("/.config");
}

QStringList MachineConfigFolders()
{
    QStringList folders;
    const QStringList fromEnv = qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'));
    for (const QString &folder : fromEnv) {
        if (QDir::isAbsolutePath(folder))
            folders << folder;
    }
    if (folders.isEmpty())
        folders << QStringLiteral("/etc/xdg");
    return folders;
}

QString EncodeIniValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text.startsWith(kDwordPrefix, Qt::CaseInsensitive)
            || text.startsWith(kStringPrefix, Qt::CaseInsensitive))
            return kStringPrefix + text;
        return text;
    }
    const quint32 bits = quint32(value.toInt());
    return kDwordPrefix + QStringLiteral("%1").arg(bits, 8, 16, QLatin1Char('0'));
}

QVariant DecodeIniValue(const QVariant &stored)
{
    if (stored.typeId() != QMetaType::QString)
        return QVariant();
    const QString text = stored.toString();
    if (text.startsWith(kStringPrefix, Qt::CaseInsensitive))
        return QVariant(text.mid(kStringPrefix.size()));
    if (text.startsWith(kDwordPrefix, Qt::CaseInsensitive)) {
        const QString digits = text.mid(kDwordPrefix.size());
        bool ok = false;
        const uint bits = digits.toUInt(&ok, 16);
        if (ok && !digits.isEmpty() && digits.size() <= 8 && !digits.startsWith(QLatin1Char('+'))
            && !digits.startsWith(QLatin1Char('-')))
            return QVariant(qint32(bits));
    }
    return QVariant(text);
}

} // namespace RegSettingsDetail
