#pragma once

// Where CRegSettings keeps its values: the registry on Windows
// (SettingsStore_win.cpp), INI files elsewhere (SettingsStore_unix.cpp).
// Key paths lie below the hive; the key "*" is the key's unnamed value.

#include "CRegSettings.h"

namespace RegSettingsDetail {

// The stored QString or int; `defaultValue` when the value is missing, of
// another kind or unreadable.
QVariant ReadSetting(Hive hive, const QString &keyPath, const QString &key,
                     const QVariant &defaultValue);
// `value` is a QString or an int.
bool WriteSetting(Hive hive, const QString &keyPath, const QString &key, const QVariant &value);
// Deletes the value `key`, or with an empty key `keyPath` with its values.
bool DeleteSetting(Hive hive, const QString &keyPath, const QString &key);

} // namespace RegSettingsDetail
