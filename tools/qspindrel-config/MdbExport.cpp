#include "MdbExport.h"

#include "CsvFormat.h"

#include <QVariant>
#include <limits>

namespace {

QVariant FieldValue(const CsvField &field)
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
    // mdb-export writes RFC 4180 text: the same reader as import-csv.
    QString why;
    const auto records = ParseCsv(csv, &why);
    const auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return std::nullopt;
    };
    if (!records)
        return fail(why);
    if (records->isEmpty())
        return fail(QStringLiteral("line 1: no header line"));
    TableRows table;
    for (const CsvField &name : records->first().fields) {
        if (name.text.trimmed().isEmpty())
            return fail(QStringLiteral("line 1: an empty column name"));
        table.columns << name.text;
    }
    for (qsizetype r = 1; r < records->size(); ++r) {
        const CsvRecord &record = records->at(r);
        if (record.fields.size() != table.columns.size())
            return fail(QStringLiteral("line %1: %2 fields for %3 columns")
                            .arg(record.line).arg(record.fields.size()).arg(table.columns.size()));
        QVariantList values;
        values.reserve(record.fields.size());
        for (const CsvField &f : record.fields)
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
