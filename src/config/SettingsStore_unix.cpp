// INI files in the format of IniSettings.h.

#include "SettingsStore.h"

#include "IniDocument.h"
#include "IniSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <functional>

using namespace RegSettingsDetail;

namespace {

// How long a write waits for another process writing the same file.
constexpr int kIniLockWaitMs = 5000;

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

} // namespace

namespace RegSettingsDetail {

QVariant ReadSetting(Hive hive, const QString &keyPath, const QString &key,
                     const QVariant &defaultValue)
{
    QString group;
    const std::optional<IniDocument> document = ReadIniFile(hive, keyPath, &group);
    if (!document)
        return defaultValue;
    const QVariant decoded = DecodeIniValue(document->value(KeyIn(group, ValueName(key))));
    return decoded.isValid() ? decoded : defaultValue;
}

bool WriteSetting(Hive hive, const QString &keyPath, const QString &key, const QVariant &value)
{
    return ChangeIniFile(hive, keyPath, [&](IniDocument &document, const QString &group) {
        document.setValue(KeyIn(group, ValueName(key)), EncodeIniValue(value));
        return true;
    });
}

bool DeleteSetting(Hive hive, const QString &keyPath, const QString &key)
{
    // A value and a subkey live apart in the registry: a value's name never
    // reaches into a subkey.
    return ChangeIniFile(hive, keyPath, [&](IniDocument &document, const QString &group) {
        return key.isEmpty() ? document.removeGroup(group) : document.removeValue(KeyIn(group, ValueName(key)));
    });
}

} // namespace RegSettingsDetail
