#include "CsvFormat.h"

#include <QStringDecoder>

namespace {

// The first line whose bytes are not UTF-8, for the message.
int FirstBadLine(const QByteArray &data)
{
    const QList<QByteArray> lines = data.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(lines.at(i));
        Q_UNUSED(decoded);
        if (decoder.hasError())
            return i + 1;
    }
    return lines.size();
}

} // namespace

std::optional<QList<CsvRecord>> ParseCsv(const QByteArray &data, QString *error)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArray body = data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data;
    const QString text = decoder.decode(body);
    if (decoder.hasError()) {
        *error = QStringLiteral("line %1: the text is not UTF-8.").arg(FirstBadLine(body));
        return std::nullopt;
    }

    QList<CsvRecord> records;
    CsvRecord record;
    CsvField field;
    int line = 1;
    record.line = 1;
    bool atFieldStart = true;
    bool inQuotes = false;
    bool afterClosingQuote = false;
    const auto endRecord = [&] {
        record.fields << field;
        records << record;
        record = CsvRecord();
        field = CsvField();
        atFieldStart = true;
        afterClosingQuote = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field.text += c;
                    ++i;
                } else {
                    inQuotes = false;
                    afterClosingQuote = true;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field.text += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            record.fields << field;
            field = CsvField();
            atFieldStart = true;
            afterClosingQuote = false;
        } else if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))) {
            if (c == QLatin1Char('\r'))
                ++i;
            endRecord();
            ++line;
            record.line = line;
        } else if (afterClosingQuote) {
            *error = QStringLiteral("line %1, field %2: text after the closing quote.").arg(line).arg(record.fields.size() + 1);
            return std::nullopt;
        } else if (c == QLatin1Char('"')) {
            if (!atFieldStart) {
                *error = QStringLiteral("line %1, field %2: a quote inside a field that does not begin with one.")
                             .arg(line).arg(record.fields.size() + 1);
                return std::nullopt;
            }
            inQuotes = true;
            field.quoted = true;
            atFieldStart = false;
        } else {
            field.text += c;
            atFieldStart = false;
        }
    }
    if (inQuotes) {
        *error = QStringLiteral("line %1: a quoted field that begins there is not closed.").arg(record.line);
        return std::nullopt;
    }
    // The last line may or may not end with a line break.
    if (!record.fields.isEmpty() || !atFieldStart || field.quoted)
        endRecord();
    return records;
}

QByteArray CsvLine(const QList<CsvOutField> &fields)
{
    QStringList out;
    for (const CsvOutField &f : fields) {
        const QString &t = f.text;
        const bool quote = (!f.isNull && t.isEmpty()) || t.contains(QLatin1Char(','))
                        || t.contains(QLatin1Char('"')) || t.contains(QLatin1Char('\n'))
                        || t.contains(QLatin1Char('\r')) || (!t.isEmpty() && (t.front().isSpace() || t.back().isSpace()));
        if (quote) {
            QString escaped = t;
            escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
            out << QLatin1Char('"') + escaped + QLatin1Char('"');
        } else {
            out << t;
        }
    }
    return out.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QString GuardSpreadsheetCell(const QString &text)
{
    static const QString kStarts = QStringLiteral("=+-@\t\r\uFEFF'");
    return !text.isEmpty() && kStarts.contains(text.front()) ? QLatin1Char('\'') + text : text;
}

QString UnguardSpreadsheetCell(const QString &text)
{
    return text.startsWith(QLatin1Char('\'')) ? text.mid(1) : text;
}
