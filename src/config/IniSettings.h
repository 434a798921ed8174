#pragma once

// The INI files that hold the settings outside Windows (see CRegSettings):
// which file and group a key path names, where the files lie, and how a
// value keeps its kind. Plain functions, so that tests reach them anywhere.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace RegSettingsDetail {

struct IniLocation {
    QString file;  // relative to the configuration folder, e.g. "Quorvane/Editor.ini"
    QString group; // sections joined by "/", "" for the file's top level
};
// Empty when the key path cannot name a file (no component, or an empty, "."
// or ".." component).
std::optional<IniLocation> IniLocationForKey(const QString &keyPath);

// The folder per hive, from the environment as it is now.
QString UserConfigFolder();
QStringList MachineConfigFolders();

// Value kinds in INI files (see CRegSettings).
QString EncodeIniValue(const QVariant &value);
QVariant DecodeIniValue(const QVariant &stored);

} // namespace RegSettingsDetail
