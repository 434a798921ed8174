#include "IniTextFormat.h"

#include <QIODevice>
#include <QMap>
#include <QStringList>

#include <algorithm>

namespace {

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

QChar simpleEscape(QChar c)
{
    switch (c.unicode()) {
    case 'a': return QChar(u'\a');
    case 'b': return QChar(u'\b');
    case 'f': return QChar(u'\f');
    case 'n': return QChar(u'\n');
    case 'r': return QChar(u'\r');
    case 't': return QChar(u'\t');
    case 'v': return QChar(u'\v');
    case '"': case '?': case '\'': case '\\': return c;
    default: return QChar();
    }
}

bool readIni(QIODevice &device, QSettings::SettingsMap &map)
{
    QString text = QString::fromUtf8(device.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QString section;
    const QStringList lines = text.split(u'\n');
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = IniText::ParseName(line.mid(1, line.size() - 2).trimmed());
            if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
                section.clear();
            else if (section.startsWith(QLatin1String("%General"), Qt::CaseInsensitive))
                section.remove(0, 1);
            section.replace(u'\\', u'/');
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        QString name = IniText::ParseName(line.left(equals).trimmed());
        name.replace(u'\\', u'/');
        const QString key = section.isEmpty() ? name : section + u'/' + name;
        const QString raw = line.mid(equals + 1).trimmed();
        // QSettings' typed values (@ByteArray, @Variant, ...) are no text;
        // they are kept as written for the next write.
        if (raw.startsWith(u'@') && !raw.startsWith(QLatin1String("@@")))
            map.insert(key, raw.toUtf8());
        else
            map.insert(key, IniText::ParseValue(raw));
    }
    return true;
}

bool writeIni(QIODevice &device, const QSettings::SettingsMap &map)
{
    // Values by section, the top level first as [General].
    // Sections that differ only in case are one section, spelled as first met.
    QMap<QString, QStringList> sections;
    QMap<QString, QString> spelling;
    QStringList order;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        QString section = slash < 0 ? QString() : it.key().left(slash);
        QString name = slash < 0 ? it.key() : it.key().mid(slash + 1);
        const QString folded = section.toCaseFolded();
        if (!spelling.contains(folded)) {
            spelling.insert(folded, section);
            order << section;
        }
        section = spelling.value(folded);
        QStringList parts = name.split(u'/');
        for (QString &part : parts)
            part = IniText::FormatName(part);
        const QString value = it.value().typeId() == QMetaType::QByteArray
            ? QString::fromUtf8(it.value().toByteArray())
            : IniText::FormatValue(it.value().toString());
        sections[section] << parts.join(u'\\') + u'=' + value;
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const QString &a, const QString &b) { return a.isEmpty() && !b.isEmpty(); });
    QString out;
    for (const QString &section : std::as_const(order)) {
        if (!out.isEmpty())
            out += u'\n';
        QString header = section.isEmpty() ? QStringLiteral("General") : IniText::FormatName(section);
        if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
            header.prepend(u'%');
        out += u'[' + header + QStringLiteral("]\n");
        for (const QString &line : sections.value(section))
            out += line + u'\n';
    }
    return device.write(out.toUtf8()) >= 0;
}

} // namespace

QSettings::Format IniTextFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readIni, writeIni);
    return format;
}

namespace IniText {

QString ParseValue(const QString &raw)
{
    QString text = raw.trimmed();
    // Quotes around the whole value keep its blanks; other quotes are text.
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    QString value;
    value.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 >= text.size()) {
            value += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        if (const QChar plain = simpleEscape(next); !plain.isNull()) {
            value += plain;
            ++i;
        } else if (next == u'x' && i + 2 < text.size() && hexValue(text.at(i + 2)) >= 0) {
            uint code = 0;
            qsizetype j = i + 2;
            for (; j < text.size() && j < i + 6 && hexValue(text.at(j)) >= 0; ++j)
                code = code * 16 + uint(hexValue(text.at(j)));
            value += QChar(char16_t(code));
            i = j - 1;
        } else if (next >= u'0' && next <= u'7') {
            uint code = 0;
            qsizetype j = i + 1;
            for (; j < text.size() && j < i + 4 && text.at(j) >= u'0' && text.at(j) <= u'7'; ++j)
                code = code * 8 + uint(text.at(j).unicode() - '0');
            value += QChar(char16_t(code));
            i = j - 1;
        } else {
            value += c;  // no escape: the backslash is text
        }
    }
    if (value.startsWith(QLatin1String("@@")))
        value.remove(0, 1);
    return value;
}

QString FormatValue(const QString &value)
{
    QString out;
    bool quote = value.startsWith(u' ') || value.endsWith(u' ');
    bool hexBefore = false;  // a digit right after \x.. would join the escape
    for (const QChar c : value) {
        const ushort u = c.unicode();
        if (hexBefore && hexValue(c) >= 0) {
            out += QStringLiteral("\\x%1").arg(u, 0, 16);
            continue;
        }
        hexBefore = false;
        switch (u) {
        case ';': case ',': case '=': quote = true; out += c; break;
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\a': out += QLatin1String("\\a"); break;
        case '\b': out += QLatin1String("\\b"); break;
        case '\f': out += QLatin1String("\\f"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\v': out += QLatin1String("\\v"); break;
        default:
            if (u < 0x20 || u == 0x7f) {
                out += QStringLiteral("\\x%1").arg(u, 0, 16);
                hexBefore = true;
            } else {
                out += c;
            }
        }
    }
    if (value.startsWith(u'@'))
        out.prepend(u'@');
    return quote ? u'"' + out + u'"' : out;
}

QString ParseName(const QString &raw)
{
    QString name;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == u'%' && i + 5 < raw.size() && raw.at(i + 1) == u'U') {
            bool ok = false;
            const uint code = raw.mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                name += QChar(char16_t(code));
                i += 5;
                continue;
            }
        }
        if (raw.at(i) == u'%' && i + 2 < raw.size()) {
            bool ok = false;
            const uint code = raw.mid(i + 1, 2).toUInt(&ok, 16);
            if (ok) {
                name += QChar(char16_t(code));
                i += 2;
                continue;
            }
        }
        name += raw.at(i);
    }
    return name;
}

QString FormatName(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
            || u == '_' || u == '-' || u == '.')
            out += c;
        else if (u <= 0xff)
            out += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QStringLiteral("%U%1").arg(u, 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

} // namespace IniText
