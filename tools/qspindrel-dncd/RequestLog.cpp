#include "RequestLog.h"

#include <cstdio>

QString EscapeBytes(const QByteArray &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\\' || b == '"') {
            out += QLatin1Char('\\');
            out += QLatin1Char(char(b));
        } else if (b >= 0x20 && b < 0x7F) {
            out += QLatin1Char(char(b));
        } else {
            out += QLatin1String("\\x");
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 0x0F]);
        }
    }
    return out;
}

QByteArray UnescapeBytes(const QString &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            out += char(c.unicode());
            continue;
        }
        if (i + 1 >= text.size())
            break;
        const QChar next = text.at(++i);
        if (next != QLatin1Char('x')) {
            out += char(next.unicode());
            continue;
        }
        const QString digits = text.mid(i + 1, 2);
        bool ok = false;
        const int value = digits.toInt(&ok, 16);
        if (digits.size() != 2 || !ok)
            break;
        out += char(value);
        i += 2;
    }
    return out;
}

void LogLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
