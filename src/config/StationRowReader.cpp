#include "StationRowReader.h"

#include "MessageText.h"

#include <cmath>
#include <limits>

bool ToInt32(const QVariant &value, int *result)
{
    if (!value.isValid() || value.isNull())
        return false;
    // A number and its text form take the same way: a fraction is rounded
    // to the nearest whole number, halves to even.
    double number = 0;
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        number = std::nearbyint(value.toDouble());
    } else {
        const QString text = value.toString().trimmed();
        bool ok = false;
        const qlonglong whole = text.toLongLong(&ok);
        if (ok) {
            number = double(whole);
        } else {
            const double d = text.toDouble(&ok);
            if (!ok)
                return false;
            number = std::nearbyint(d);
        }
    }
    if (!std::isfinite(number) || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        return false;
    *result = int(number);
    return true;
}

StationRowReader::StationRowReader(const RecordSet &rows, int row) : m_rows(rows), m_row(row) {}

QVariant StationRowReader::fetch(const QString &column)
{
    const int index = m_rows.columnIndex(column);
    if (index < 0) {
        setError(GetMessageText(MessageId::ColumnMissing, column));
        return QVariant();
    }
    return m_rows.value(m_row, index);
}

bool StationRowReader::isNull(const QString &column)
{
    return fetch(column).isNull();
}

int StationRowReader::requiredInt(const QString &column)
{
    const QVariant value = fetch(column);
    if (!ok())
        return 0;
    int result = 0;
    if (value.isNull()) {
        setError(GetMessageText(MessageId::ColumnNull, column, machineLabel()));
    } else if (!ToInt32(value, &result)) {
        setError(GetMessageText(MessageId::ColumnNotWholeNumber, column, machineLabel(), value.toString()));
    }
    return result;
}

QString StationRowReader::requiredText(const QString &column)
{
    const QVariant value = fetch(column);
    if (!ok())
        return QString();
    if (value.isNull()) {
        setError(GetMessageText(MessageId::ColumnNull, column, machineLabel()));
        return QString();
    }
    return value.toString();
}

QString StationRowReader::optionalText(const QString &column)
{
    const QVariant value = fetch(column);
    return value.isNull() ? QString() : value.toString();
}

QString StationRowReader::machineLabel() const
{
    const QVariant id = m_rows.value(m_row, QStringLiteral("MACHINE_ID"));
    const QVariant number = m_rows.value(m_row, QStringLiteral("MACHINE_NUMBER"));
    const QVariant name = m_rows.value(m_row, QStringLiteral("MACHINE_NAME"));
    QStringList parts;
    if (!number.isNull())
        parts << number.toString();
    if (!name.isNull())
        parts << name.toString();
    QString label = parts.isEmpty() ? QString() : QLatin1Char('"') + parts.join(QLatin1String(" - ")) + QLatin1Char('"');
    if (!id.isNull())
        label += (label.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("(MACHINE_ID %1)").arg(id.toString());
    if (label.isEmpty())
        label = GetMessageText(MessageId::InRow, QString::number(m_row + 1));
    return label;
}

void StationRowReader::setError(const QString &text)
{
    if (m_error.isEmpty())
        m_error = text;
}
