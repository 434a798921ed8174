#include <QtGlobal>

#ifdef Q_OS_WIN

#include "Registry.h"

#include <qt_windows.h>

namespace {

HKEY rootOf(RegistryHive hive)
{
    return hive == RegistryHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// Values written by earlier 32-bit installations live in the 32-bit view.
constexpr REGSAM View = KEY_WOW64_32KEY;

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

} // namespace

QVariant RegistryRead(RegistryHive hive, const QString &keyPath, const QString &valueName,
                      const QVariant &defaultValue)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootOf(hive), wide(keyPath).c_str(), 0, KEY_READ | View, &key) != ERROR_SUCCESS)
        return defaultValue;
    const std::wstring name = wide(valueName);
    QVariant result = defaultValue;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        QByteArray data(qsizetype(size), '\0');
        DWORD got = size;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()),
                             &got) == ERROR_SUCCESS) {
            data.truncate(qsizetype(got));
            result = RegistryValueFromData(type, data, defaultValue);
        }
    }
    RegCloseKey(key);
    return result;
}

bool RegistryWrite(RegistryHive hive, const QString &keyPath, const QString &valueName,
                   const QVariant &value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(rootOf(hive), wide(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | View, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    unsigned long type = 0;
    const QByteArray data = RegistryDataFor(value, &type);
    const LSTATUS written = RegSetValueExW(key, wide(valueName).c_str(), 0, DWORD(type),
                                           reinterpret_cast<const BYTE *>(data.constData()),
                                           DWORD(data.size()));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

bool RegistryDeleteValue(RegistryHive hive, const QString &keyPath, const QString &valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootOf(hive), wide(keyPath).c_str(), 0, KEY_ALL_ACCESS | View, &key) != ERROR_SUCCESS)
        return false;
    const LSTATUS deleted = RegDeleteValueW(key, wide(valueName).c_str());
    RegCloseKey(key);
    return deleted == ERROR_SUCCESS;
}

bool RegistryDeleteKey(RegistryHive hive, const QString &keyPath)
{
    return RegDeleteKeyExW(rootOf(hive), wide(keyPath).c_str(), View, 0) == ERROR_SUCCESS;
}

#endif
