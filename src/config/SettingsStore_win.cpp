// The registry itself rather than QSettings, which would read expandable
// text, binary and other kinds as text, and would store text that starts
// with "@" with a second "@" in front.

#include "SettingsStore.h"

#include "Registry.h"

#include <qt_windows.h>

using namespace RegSettingsDetail;

namespace {

HKEY rootOf(Hive hive)
{
    return hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// Values written by earlier 32-bit installations live in the 32-bit view.
constexpr REGSAM View = KEY_WOW64_32KEY;

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// The registry's name for a key's unnamed value.
std::wstring valueName(const QString &key)
{
    return key == QLatin1String("*") ? std::wstring() : wide(key);
}

} // namespace

namespace RegSettingsDetail {

QVariant ReadSetting(Hive hive, const QString &keyPath, const QString &key,
                     const QVariant &defaultValue)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(rootOf(hive), wide(keyPath).c_str(), 0, KEY_READ | View, &handle) != ERROR_SUCCESS)
        return defaultValue;
    const std::wstring name = valueName(key);
    QVariant result = defaultValue;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        QByteArray data(qsizetype(size), '\0');
        DWORD got = size;
        if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()),
                             &got) == ERROR_SUCCESS) {
            data.truncate(qsizetype(got));
            result = RegistryValueFromData(type, data, defaultValue);
        }
    }
    RegCloseKey(handle);
    return result;
}

// Keys on the way are created.
bool WriteSetting(Hive hive, const QString &keyPath, const QString &key, const QVariant &value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(rootOf(hive), wide(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | View, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    unsigned long type = 0;
    const QByteArray data = RegistryDataFor(value, &type);
    const LSTATUS written = RegSetValueExW(handle, valueName(key).c_str(), 0, DWORD(type),
                                           reinterpret_cast<const BYTE *>(data.constData()),
                                           DWORD(data.size()));
    RegCloseKey(handle);
    return written == ERROR_SUCCESS;
}

// A key with subkeys is not deleted.
bool DeleteSetting(Hive hive, const QString &keyPath, const QString &key)
{
    if (key.isEmpty())
        return RegDeleteKeyExW(rootOf(hive), wide(keyPath).c_str(), View, 0) == ERROR_SUCCESS;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(rootOf(hive), wide(keyPath).c_str(), 0, KEY_ALL_ACCESS | View, &handle) != ERROR_SUCCESS)
        return false;
    const LSTATUS deleted = RegDeleteValueW(handle, valueName(key).c_str());
    RegCloseKey(handle);
    return deleted == ERROR_SUCCESS;
}

} // namespace RegSettingsDetail
