#pragma once

#include <QString>

// The text of the settings' INI files: QSettings' INI format (sections,
// escaped names, quoted and backslash-escaped values), except that for files
// edited by hand a value is always one text: a comma never splits it into a
// list, and a backslash that starts no escape sequence stays as written.
// FormatValue and ParseValue give back every text exactly.
namespace IniText {

// One value as it stands after "=" (blanks around it included), and back.
QString ParseValue(const QString &raw);
QString FormatValue(const QString &value);

// Names of sections and values: "%20" and "%U00E9" escapes, as QSettings writes them.
QString ParseName(const QString &raw);
QString FormatName(const QString &name);

} // namespace IniText
