#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class clsAccessDBConnection;
class QSqlQuery;

// Rows of one query, read to the end: column names as the driver gives them
// and the values of every row. Lookups by name ignore case (PostgreSQL folds
// unquoted names to lower case).
class RecordSet
{
public:
    RecordSet() = default;
    RecordSet(QStringList columns, QList<QVariantList> rows);

    int count() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const QStringList &columns() const { return m_columns; }
    // -1 when there is no such column.
    int columnIndex(const QString &name) const;
    bool hasColumn(const QString &name) const { return columnIndex(name) >= 0; }
    // Invalid QVariant for a row or column that does not exist; a null
    // database value is a null QVariant (isNull()).
    QVariant value(int row, const QString &column) const;
    QVariant value(int row, int column) const;
    const QVariantList &row(int row) const { return m_rows.at(row); }

private:
    QStringList m_columns;
    QList<QVariantList> m_rows;
};

// Runs sqlText on the connection (forward only, positional "?" values bound
// in order) and reads every row into *rows. It takes the connection through
// GetADOConnection, which clears the errors kept before. On failure returns
// false with the driver's text in *errorText (the error is also kept on the
// connection) and leaves *rows untouched.
bool OpenRecordset(clsAccessDBConnection &connection, const QString &sqlText,
                   const QVariantList &values, RecordSet *rows, QString *errorText = nullptr);

// Runs one statement that returns no rows, like OpenRecordset. Reports the
// driver's text instead of only false (clsAccessDBConnection::SQL keeps it
// in GetADOErrors only).
bool ExecStatement(clsAccessDBConnection &connection, const QString &sqlText,
                   const QVariantList &values, QString *errorText = nullptr);

// The same on a query the caller keeps: a PostgreSQL statement that failed
// inside a transaction can be freed only after the rollback, so writers keep
// their query until then. A query last prepared with the same text is not
// prepared again (give each statement text its own query).
bool RunStatement(clsAccessDBConnection &connection, QSqlQuery &query, const QString &sqlText,
                  const QVariantList &values, QString *errorText = nullptr);
