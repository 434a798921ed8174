#include "IniTextFormat.h"

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

} // namespace

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
    // The reader trims every kind of space, not only the blank.
    bool quote = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    bool hexBefore = false;  // a digit right after \x.. would join the escape
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        const ushort u = c.unicode();
        // A lone surrogate has no UTF-8 form.
        const bool paired = c.isHighSurrogate() ? i + 1 < value.size() && value.at(i + 1).isLowSurrogate()
                                                : c.isLowSurrogate() && i > 0 && value.at(i - 1).isHighSurrogate();
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
            if (u < 0x20 || u == 0x7f || (c.isSurrogate() && !paired)) {
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
