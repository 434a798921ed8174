#include "MdbExport.h"

#include <QVariant>
#include <limits>

namespace {

struct Field {
    QString text;
    bool quoted = false;
};

QVariant FieldValue(const Field &field)
{
    // A null QString would be bound as a database null.
    if (field.quoted)
        return QVariant(field.text.isNull() ? QString::fromLatin1("") : field.text);
    if (field.text.isEmpty())
        return QVariant();
    bool ok = false;
    const qlonglong whole = field.text.toLongLong(&ok);
    if (ok) {
        if (whole >= std::numeric_limits<int>::min() && whole <= std::numeric_limits<int>::max())
            return QVariant(int(whole));
        return QVariant(whole);
    }
    const double number = field.text.toDouble(&ok);
    if (ok)
        return QVariant(number);
    return QVariant(field.text);
}

} // namespace

std::optional<TableRows> ParseMdbExport(const QByteArray &csv, QString *error)
{
    const QString text = QString::fromUtf8(csv);
    QList<QList<Field>> records;
    QList<Field> record;
    Field field;
    bool inQuotes = false;
    bool fieldStarted = false;
    int line = 1;
    auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line).arg(why);
        return std::nullopt;
    };
    auto endRecord = [&]() {
        record.append(field);
        records.append(record);
        record.clear();
        field = Field();
        fieldStarted = false;
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
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field.text += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (fieldStarted)
                return fail(QStringLiteral("a quote inside a field that is not quoted"));
            field.quoted = true;
            fieldStarted = true;
            inQuotes = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field = Field();
            fieldStarted = false;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRecord();
            ++line;
        } else {
            if (field.quoted)
                return fail(QStringLiteral("text after the closing quote of a field"));
            field.text += c;
            fieldStarted = true;
        }
    }
    if (inQuotes)
        return fail(QStringLiteral("a quoted field is not closed"));
    if (fieldStarted || !record.isEmpty())
        endRecord();

    if (records.isEmpty()) {
        line = 1;
        return fail(QStringLiteral("no header line"));
    }
    TableRows table;
    for (const Field &name : records.first()) {
        if (name.text.trimmed().isEmpty()) {
            line = 1;
            return fail(QStringLiteral("an empty column name"));
        }
        table.columns << name.text;
    }
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QList<Field> &fields = records.at(r);
        if (fields.size() != table.columns.size()) {
            if (error)
                *error = QStringLiteral("record %1 has %2 fields for %3 columns")
                             .arg(r).arg(fields.size()).arg(table.columns.size());
            return std::nullopt;
        }
        QVariantList values;
        values.reserve(fields.size());
        for (const Field &f : fields)
            values << FieldValue(f);
        table.rows << values;
    }
    return table;
}

QStringList ParseMdbTableList(const QByteArray &output)
{
    QStringList names;
    const QStringList lines = QString::fromUtf8(output).split(QLatin1Char('\n'));
    for (QString name : lines) {
        if (name.endsWith(QLatin1Char('\r')))
            name.chop(1);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}
