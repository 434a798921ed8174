#pragma once

// The Windows registry's values as the settings store reads and writes them:
// only text (REG_SZ) and 32-bit integers (REG_DWORD) are values; text is
// stored exactly as given. Plain functions, so they are tested anywhere; the
// access itself is the store's (src/config/SettingsStore_win.cpp).

#include <QByteArray>
#include <QString>
#include <QVariant>

// Registry value types by number.
enum : unsigned long {
    RegistryNone = 0,
    RegistryString = 1,
    RegistryExpandString = 2,
    RegistryBinary = 3,
    RegistryDword = 4,
};

// What a stored value reads as: REG_SZ its UTF-16 text up to the first NUL
// (a value without even the NUL gives the default), REG_DWORD its four bytes
// as a signed integer; any other type or size gives the default.
QVariant RegistryValueFromData(unsigned long type, const QByteArray &data,
                               const QVariant &defaultValue);
// How `value` is stored: a QString as REG_SZ, its UTF-16 text and one NUL;
// anything else as REG_DWORD, the four bytes of value.toInt().
QByteArray RegistryDataFor(const QVariant &value, unsigned long *type);
