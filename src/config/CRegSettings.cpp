#include "CRegSettings.h"

#include "AppInfo.h"
#include "IniTextFormat.h"
#include "Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <cmath>
#include <limits>
#include <memory>

using namespace RegSettingsDetail;

namespace {

const QString kDefaultCompany = QStringLiteral("Quorvane");
const QString kDwordPrefix = QStringLiteral("dword:");
const QString kStringPrefix = QStringLiteral("sz:");

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

// QSettings' name for a key's unnamed value.
QString ValueName(const QString &key)
{
    return key == QLatin1String("*") ? QStringLiteral(".") : key;
}

// One open key: an INI file at its top level, names carrying the section
// (see name()), so that they can match without regard to case as registry
// names do.
struct OpenKey {
    std::unique_ptr<QSettings> settings;
    QString group;

    // The stored spelling of the value `name` of this key: registry names
    // ignore case, so one written by hand in another case is the same value.
    // A new value in a section the file already has takes that section's spelling.
    QString name(const QString &name) const
    {
        const QString wanted = group.isEmpty() ? name : group + QLatin1Char('/') + name;
        const QStringList keys = settings->allKeys();
        for (const QString &k : keys) {
            if (k.compare(wanted, Qt::CaseInsensitive) == 0)
                return k;
        }
        return sectionSpelling(keys) + name;
    }
    // The section with its separator as the file spells it ("" at the top level).
    QString sectionSpelling(const QStringList &keys) const
    {
        if (group.isEmpty())
            return QString();
        const QString prefix = group + QLatin1Char('/');
        for (const QString &k : keys) {
            if (k.startsWith(prefix, Qt::CaseInsensitive))
                return k.left(prefix.size());
        }
        return prefix;
    }
    // Names directly in this key, as stored.
    QStringList childNames() const
    {
        const QStringList keys = settings->allKeys();
        const QString prefix = sectionSpelling(keys);
        QStringList names;
        for (const QString &k : keys) {
            if (k.startsWith(prefix, Qt::CaseInsensitive) && !k.mid(prefix.size()).contains(QLatin1Char('/')))
                names << k;
        }
        return names;
    }
    // Everything below this key, as stored.
    QStringList allNames() const
    {
        const QStringList keys = settings->allKeys();
        if (group.isEmpty())
            return keys;
        const QString prefix = group + QLatin1Char('/');
        QStringList names;
        for (const QString &k : keys) {
            if (k.startsWith(prefix, Qt::CaseInsensitive))
                names << k;
        }
        return names;
    }
};

// A write that QSettings fails to sync stays pending in its process-wide file
// cache and would show up in later reads, so refuse what is bound to fail
// before handing it over. QSettings replaces the file through a temporary one
// and a lock file beside it: the folder must be writable too.
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

OpenKey OpenForRead(Hive hive, const QString &keyPath)
{
    OpenKey key;
    const auto location = IniLocationForKey(keyPath);
    if (!location)
        return key;
    QStringList folders = hive == Hive::CurrentUser ? QStringList{UserConfigFolder()}
                                                    : MachineConfigFolders();
    for (const QString &folder : folders) {
        const QString file = QDir(folder).filePath(location->file);
        const QFileInfo info(file);
        if (!info.isFile())
            continue;
        // QSettings keeps files it has read in a process-wide cache and does
        // not notice that one has become unreadable since.
        if (!info.isReadable())
            break;
        key.settings = std::make_unique<QSettings>(file, IniTextFormat());
        key.group = location->group;
        break;
    }
    return key;
}

OpenKey OpenForWrite(Hive hive, const QString &keyPath)
{
    OpenKey key;
    const auto location = IniLocationForKey(keyPath);
    if (!location)
        return key;
    const QString folder = hive == Hive::CurrentUser ? UserConfigFolder()
                                                     : MachineConfigFolders().value(0);
    if (folder.isEmpty())
        return key;
    const QString file = QDir(folder).filePath(location->file);
    if (!CanWriteIniFile(file))
        return key;
    key.settings = std::make_unique<QSettings>(file, IniTextFormat());
    key.group = location->group;
    return key;
}

QVariant GetSetting(Hive hive, const QString &keyPath, const QString &key,
                    const QVariant &defaultValue)
{
    OpenKey open = OpenForRead(hive, keyPath);
    if (!open.settings || open.settings->status() != QSettings::NoError)
        return defaultValue;
    const QString name = open.name(ValueName(key));
    if (!open.settings->contains(name))
        return defaultValue;
    const QVariant decoded = DecodeIniValue(open.settings->value(name));
    return decoded.isValid() ? decoded : defaultValue;
}

bool SaveStored(Hive hive, const QString &keyPath, const QString &key, const QVariant &value)
{
    OpenKey open = OpenForWrite(hive, keyPath);
    // An existing file that cannot be read would be overwritten with this one value.
    if (!open.settings || open.settings->status() != QSettings::NoError)
        return false;
    open.settings->setValue(open.name(ValueName(key)), EncodeIniValue(value));
    open.settings->sync();
    return open.settings->status() == QSettings::NoError;
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
    OpenKey open = OpenForRead(Hive::CurrentUser, UserKeyPath(section));
    if (!open.settings || open.settings->status() != QSettings::NoError)
        return false;
    // A value and a subkey live apart in the registry but not in QSettings:
    // look only for what was asked for.
    if (!CanWriteIniFile(open.settings->fileName()))
        return false;
    const QString name = open.name(ValueName(key));
    const QStringList doomed = key.isEmpty() ? open.allNames()
                                             : (open.childNames().contains(name) ? QStringList{name}
                                                                                 : QStringList());
    if (doomed.isEmpty())
        return false;
    for (const QString &k : doomed)
        open.settings->remove(k);
    open.settings->sync();
    return open.settings->status() == QSettings::NoError;
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
