#include "CRegSettings.h"

#include "AppInfo.h"
#include "IniDocument.h"
#include "Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringList>
#include <cmath>
#include <functional>
#include <limits>

using namespace RegSettingsDetail;

namespace {

const QString kDefaultCompany = QStringLiteral("Quorvane");
const QString kDwordPrefix = QStringLiteral("dword:");
const QString kStringPrefix = QStringLiteral("sz:");
// How long a write waits for another process writing the same file.
constexpr int kIniLockWaitMs = 5000;

#ifdef Q_OS_WIN

// The registry itself rather than QSettings, which would read expandable
// text, binary and other kinds as text, and would store text that starts
// with "@" with a second "@" in front.

RegistryHive RegistryHiveOf(Hive hive)
{
    return hive == Hive::CurrentUser ? RegistryHive::CurrentUser : RegistryHive::LocalMachine;
}

// The registry's name for a key's unnamed value.
QString ValueName(const QString &key)
{
    return key == QLatin1String("*") ? QString() : key;
}

QVariant GetSetting(Hive hive, const QString &keyPath, const QString &key,
                    const QVariant &defaultValue)
{
    return RegistryRead(RegistryHiveOf(hive), keyPath, ValueName(key), defaultValue);
}

bool SaveStored(Hive hive, const QString &keyPath, const QString &key, const QVariant &value)
{
    return RegistryWrite(RegistryHiveOf(hive), keyPath, ValueName(key), value);
}

#else

// The INI name of a key's unnamed value.
QString ValueName(const QString &key)
{
    return key == QLatin1String("*") ? QStringLiteral(".") : key;
}

// The full key of the value `name` in `group`.
QString KeyIn(const QString &group, const QString &name)
{
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

// The file is replaced through a temporary one beside it and changed under
// a lock file beside it (QSettings' own, so that both keep out of each
// other's way): the folder must be writable too.
bool CanWriteIniFile(const QString &file)
{
    const QFileInfo info(file);
    if (info.exists() && !(info.isFile() && info.isReadable() && info.isWritable()))
        return false;
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    const QFileInfo folderInfo(folder);
    return folderInfo.isDir() && folderInfo.isWritable();
}

// The file of `keyPath` that a read uses (for the machine, the first folder
// that has it), read whole; nothing when there is none or it cannot be read.
std::optional<IniDocument> ReadIniFile(Hive hive, const QString &keyPath, QString *group)
{
    const auto location = IniLocationForKey(keyPath);
    if (!location)
        return std::nullopt;
    const QStringList folders = hive == Hive::CurrentUser ? QStringList{UserConfigFolder()}
                                                          : MachineConfigFolders();
    for (const QString &folder : folders) {
        QFile file(QDir(folder).filePath(location->file));
        if (!QFileInfo(file.fileName()).isFile())
            continue;
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        IniDocument document;
        document.parse(file.readAll());  // what could be read, if not all of it
        *group = location->group;
        return document;
    }
    return std::nullopt;
}

// Reads the file that writes of `hive` go to, lets `change` alter it and
// writes it back, all under the lock. Fails without writing when the file
// cannot be read exactly (a rewrite would change more than the value), or
// when `change` changes nothing.
bool ChangeIniFile(Hive hive, const QString &keyPath,
                   const std::function<bool(IniDocument &, const QString &group)> &change)
{
    const auto location = IniLocationForKey(keyPath);
    if (!location)
        return false;
    const QString folder = hive == Hive::CurrentUser ? UserConfigFolder() : MachineConfigFolders().value(0);
    if (folder.isEmpty())
        return false;
    const QString path = QDir(folder).filePath(location->file);
    if (!CanWriteIniFile(path))
        return false;
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(kIniLockWaitMs))
        return false;
    IniDocument document;
    QFile file(path);
    if (file.exists() && (!file.open(QIODevice::ReadOnly) || !document.parse(file.readAll())))
        return false;
    file.close();
    if (!change(document, location->group))
        return false;
    const QByteArray bytes = document.toBytes();
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

QVariant GetSetting(Hive hive, const QString &keyPath, const QString &key,
                    const QVariant &defaultValue)
{
    QString group;
    const std::optional<IniDocument> document = ReadIniFile(hive, keyPath, &group);
    if (!document)
        return defaultValue;
    const QVariant decoded = DecodeIniValue(document->value(KeyIn(group, ValueName(key))));
    return decoded.isValid() ? decoded : defaultValue;
}

bool SaveStored(Hive hive, const QString &keyPath, const QString &key, const QVariant &value)
{
    return ChangeIniFile(hive, keyPath, [&](IniDocument &document, const QString &group) {
        document.setValue(KeyIn(group, ValueName(key)), EncodeIniValue(value));
        return true;
    });
}

#endif

// `value` as stored: a QString as it is, any other number as a 32-bit integer.
bool SaveSetting(Hive hive, const QString &keyPath, const QString &key, const QVariant &value)
{
    QVariant toStore;
    if (value.typeId() == QMetaType::QString) {
        toStore = value;
    } else {
        const auto number = ToDword(value);
        if (!number)
            return false;
        toStore = QVariant(*number);
    }
    return SaveStored(hive, keyPath, key, toStore);
}

} // namespace

CRegSettings::CRegSettings()
    : m_company(kDefaultCompany)
    , m_appName(ApplicationTitle())
{
}

void CRegSettings::setCompany(const QString &company)
{
    m_company = company.trimmed();
    if (m_company.isEmpty())
        m_company = kDefaultCompany;
}

void CRegSettings::setAppName(const QString &appName)
{
    m_appName = appName.trimmed();
    if (m_appName.isEmpty())
        m_appName = ApplicationTitle();
}

QString CRegSettings::UserKeyPath(const QString &section) const
{
    QString path = QStringLiteral("Software\\") + m_company + QLatin1Char('\\') + m_appName;
    if (!section.isEmpty())
        path += QLatin1Char('\\') + section;
    return path;
}

QString CRegSettings::MachineKeyPath(const QString &section) const
{
    QString path = QStringLiteral("Software\\") + m_company + QStringLiteral("\\Editor");
    if (!section.isEmpty())
        path += QLatin1Char('\\') + section;
    return path;
}

QVariant CRegSettings::GetUserSetting(const QString &section, const QString &key,
                                      const QVariant &defaultValue, bool useAppPath) const
{
    return GetSetting(Hive::CurrentUser, useAppPath ? UserKeyPath(section) : section, key,
                      defaultValue);
}

QVariant CRegSettings::GetMachineSetting(const QString &section, const QString &key,
                                         const QVariant &defaultValue, bool useAppPath) const
{
    return GetSetting(Hive::LocalMachine, useAppPath ? MachineKeyPath(section) : section, key,
                      defaultValue);
}

bool CRegSettings::SaveUserSetting(const QString &section, const QString &key,
                                   const QVariant &value, bool useAppPath) const
{
    return SaveSetting(Hive::CurrentUser, useAppPath ? UserKeyPath(section) : section, key,
                       value);
}

bool CRegSettings::SaveMachineSetting(const QString &section, const QString &key,
                                      const QVariant &value, bool useAppPath) const
{
    return SaveSetting(Hive::LocalMachine, useAppPath ? MachineKeyPath(section) : section, key,
                       value);
}

bool CRegSettings::DeleteUserSetting(const QString &section, const QString &key) const
{
    if (key.isEmpty() && section.isEmpty())
        return false;
#ifdef Q_OS_WIN
    if (key.isEmpty())
        return RegistryDeleteKey(RegistryHive::CurrentUser, UserKeyPath(section));
    return RegistryDeleteValue(RegistryHive::CurrentUser, UserKeyPath(section), ValueName(key));
#else
    // A value and a subkey live apart in the registry: a value's name never
    // reaches into a subkey.
    return ChangeIniFile(Hive::CurrentUser, UserKeyPath(section), [&](IniDocument &document, const QString &group) {
        return key.isEmpty() ? document.removeGroup(group) : document.removeValue(KeyIn(group, ValueName(key)));
    });
#endif
}

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

std::optional<qint32> ToDword(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
        break;
    default:
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::ULong) {
        const qulonglong u = value.toULongLong();
        if (u > qulonglong(std::numeric_limits<qint32>::max()))
            return std::nullopt;
        return qint32(u);
    }
    if (value.typeId() != QMetaType::Float && value.typeId() != QMetaType::Double) {
        const qlonglong n = value.toLongLong();
        if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
            return std::nullopt;
        return qint32(n);
    }
    const double rounded = std::nearbyint(value.toDouble());
    if (!std::isfinite(rounded) || rounded < double(std::numeric_limits<qint32>::min())
        || rounded > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(rounded);
}

} // namespace RegSettingsDetail
