#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The program's persistent settings outside the configuration database: the
// per-user values and the machine-wide key of the program editor. Callers make
// an object for one read or write and drop it; nothing stays open between calls.
//
// Windows: the registry (32-bit view), HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
// Elsewhere: INI files. A key path "Software\A\B\C\D" lies in the file A/B.ini,
// group C/D, under
//   per user:      $XDG_CONFIG_HOME (default ~/.config)
//   machine-wide:  the first folder of $XDG_CONFIG_DIRS (default /etc/xdg) that
//                  holds the file when reading, the first folder when writing.
// The variables are read at each call, so tests can redirect them.
//
// Value kinds in the INI files, so that a string and an integer stay apart as
// they do in the registry: an integer is written as dword:<8 hex digits> (two's
// complement, as a .reg export writes it); a string is written as it is, except
// that one starting with "dword:" or "sz:" gets a leading "sz:". A hand-written
// plain number is therefore a string, which every reader converts anyway. The
// key's unnamed value ("*") is stored under the name ".", the name QSettings
// gives it in the registry. A write changes only the line of its value (or
// adds one): comments and every other line stay as they were, and a file
// that is not all UTF-8 is never rewritten.
class CRegSettings
{
public:
    CRegSettings();

    QString Company() const { return m_company; }
    // Trimmed; empty restores "Quorvane".
    void setCompany(const QString &company);
    QString AppName() const { return m_appName; }
    // Trimmed; empty restores the application title.
    void setAppName(const QString &appName);

    // The stored QString or int; `defaultValue` when the key or value is
    // missing, of another kind, or unreadable. With `useAppPath` false,
    // `section` is the whole key path below the hive.
    QVariant GetUserSetting(const QString &section, const QString &key,
                            const QVariant &defaultValue = QVariant(),
                            bool useAppPath = true) const;
    QVariant GetMachineSetting(const QString &section, const QString &key,
                               const QVariant &defaultValue = QVariant(),
                               bool useAppPath = true) const;

    // A QString is stored as a string; any other number (or bool) as the
    // nearest 32-bit integer. False when nothing was stored.
    bool SaveUserSetting(const QString &section, const QString &key, const QVariant &value,
                         bool useAppPath = true) const;
    bool SaveMachineSetting(const QString &section, const QString &key, const QVariant &value,
                            bool useAppPath = true) const;

    // Deletes the value `key` of `section`, or with an empty key the whole
    // section. False when there was nothing to delete or it could not be done.
    bool DeleteUserSetting(const QString &section, const QString &key) const;

    // Registry-style key paths below the hive, without a trailing separator.
    QString UserKeyPath(const QString &section) const;
    QString MachineKeyPath(const QString &section) const;

private:
    QString m_company;
    QString m_appName;
};

// The pieces below are plain functions so that tests reach them directly.
namespace RegSettingsDetail {

enum class Hive { CurrentUser, LocalMachine };

// The value as a 32-bit integer rounded to the nearest (half to even), true as
// -1; empty for NaN, out-of-range numbers and values that are not numbers.
std::optional<qint32> ToDword(const QVariant &value);

} // namespace RegSettingsDetail
