#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

// One INI file of the settings as its lines. Values are found by their key
// ("Section/Name", "Name" at the top level; nested names joined by "/"),
// without regard to case as registry names are. A change rewrites the one
// line of its value, or adds a line at the end of the value's section: every
// other line (comments, blank lines, lines without "=", values QSettings
// typed) stays exactly as it was read. The text format is QSettings' INI
// format (see IniTextFormat.h).
class IniDocument
{
public:
    // False when `bytes` are not all UTF-8: then the document holds what
    // could be read, but writing it back would change the file.
    bool parse(const QByteArray &bytes);
    bool isExact() const { return m_exact; }
    QByteArray toBytes() const;

    // The text of the value (a QByteArray for a value QSettings typed, such
    // as @ByteArray(...)); invalid when there is none. The last line wins.
    QVariant value(const QString &key) const;
    void setValue(const QString &key, const QString &text);
    // Removes the value `key`; false when there is none.
    bool removeValue(const QString &key);
    // Removes every value below `group` and the group's own headers; false
    // when it holds no value.
    bool removeGroup(const QString &group);

private:
    struct Line {
        QString text;      // as read, without "\n" (a "\r" before it kept)
        QString section;   // of a header, or the section the line lies in
        QString key;       // of a value line
        bool header = false;
    };
    // Index of the last value line of `key`, or -1.
    qsizetype find(const QString &key) const;
    // Index after which a new value of `section` goes, or -1 (no such section).
    qsizetype endOfSection(const QString &section) const;
    QString lineEnd() const;

    QList<Line> m_lines;
    bool m_exact = true;
    bool m_byteOrderMark = false;
    bool m_finalLineBreak = true;
};
