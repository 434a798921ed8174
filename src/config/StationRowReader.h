#pragma once

#include "DBAssist.h"

#include <QString>

// Reads the columns of one row of a RecordSet by the conversion rules of the
// station tables. The first broken rule is kept as the error, naming the
// column and the machine of the row.
class StationRowReader
{
public:
    StationRowReader(const RecordSet &rows, int row);

    // A 32-bit integer: numbers, or texts that hold a whole number.
    int requiredInt(const QString &column);
    // The text form; null is an error.
    QString requiredText(const QString &column);
    // The text form; null gives the empty text.
    QString optionalText(const QString &column);
    bool isNull(const QString &column);

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

private:
    QVariant fetch(const QString &column);
    QString machineLabel() const;
    void setError(const QString &text);

    const RecordSet &m_rows;
    int m_row;
    QString m_error;
};

// The value as a 32-bit integer: a number, or the text of one (blanks around
// it allowed), rounded to the nearest whole number with halves to even; false
// for anything else, null and values outside the range included.
bool ToInt32(const QVariant &value, int *result);
