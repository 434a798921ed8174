#pragma once

#include <QSettings>
#include <QString>

// The INI files of the settings, read and written by QSettings in a format of
// our own that keeps the text of QSettings' INI files (sections, escaped
// names, quoted and backslash-escaped values), except that for files edited
// by hand a value is always one text: a comma never splits it into a list,
// and a backslash that starts no escape sequence stays as written. Sections
// that differ only in case are written as one. (Matching names without
// regard to case is the reader's business: QSettings compares them exactly.)
QSettings::Format IniTextFormat();

namespace IniText {

// One value as it stands after "=" (blanks around it included), and back.
QString ParseValue(const QString &raw);
QString FormatValue(const QString &value);

// Names of sections and values: "%20" and "%U00E9" escapes, as QSettings writes them.
QString ParseName(const QString &raw);
QString FormatName(const QString &name);

} // namespace IniText
