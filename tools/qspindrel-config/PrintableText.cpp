#include "PrintableText.h"

#include "RequestSafety.h"

namespace {

QString Hex(char32_t code, int digits)
{
    return QString::number(uint(code), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

bool NeedsEscape(QChar c)
{
    return IsRefusedCategory(c.category());
}

} // namespace

QString EscapeControlCharacters(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text.at(i + 1));
            if (QChar::category(code) != QChar::Other_Format) {
                out += c;
                out += text.at(++i);
                continue;
            }
            out += QStringLiteral("\\u{%1}").arg(Hex(code, 4));
            ++i;
            continue;
        }
        if (!NeedsEscape(c))
            out += c;
        else if (c.unicode() < 0x100)
            out += QStringLiteral("\\x%1").arg(Hex(c.unicode(), 2));
        else
            out += QStringLiteral("\\u{%1}").arg(Hex(c.unicode(), 4));
    }
    return out;
}
