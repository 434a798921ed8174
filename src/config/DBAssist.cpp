#include "DBAssist.h"

#include "MessageText.h"
#include "clsAccessDBConnection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

RecordSet::RecordSet(QStringList columns, QList<QVariantList> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{
}

int RecordSet::columnIndex(const QString &name) const
{
    // Readers ask for every cell by name: the exact spelling is the common
    // case, and names of another length cannot match.
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i) == name)
            return i;
    }
    for (int i = 0; i < m_columns.size(); ++i) {
        const QString &c = m_columns.at(i);
        if (c.size() == name.size() && c.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant RecordSet::value(int row, const QString &column) const
{
    return value(row, columnIndex(column));
}

QVariant RecordSet::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    const QVariantList &values = m_rows.at(row);
    if (column < 0 || column >= values.size())
        return QVariant();
    return values.at(column);
}

namespace {

bool fail(clsAccessDBConnection &connection, const QSqlError &error, QString *errorText)
{
    connection.AddADOError(error);
    if (errorText)
        *errorText = error.text().trimmed();
    return false;
}

} // namespace

bool RunStatement(clsAccessDBConnection &connection, QSqlQuery &query, const QString &sqlText,
                  const QVariantList &values, QString *errorText)
{
    if (!connection.IsConnected())
        return fail(connection,
                    QSqlError(QString(), GetMessageText(MessageId::DatabaseNotOpen),
                              QSqlError::ConnectionError),
                    errorText);
    bool ok;
    if (values.isEmpty()) {
        // Not prepared: PostgreSQL cannot prepare statements such as CREATE.
        ok = query.exec(sqlText);
    } else {
        // A query already prepared with this text runs again with the new
        // values: one prepared insert serves every row of a save.
        ok = query.lastQuery() == sqlText || query.prepare(sqlText);
        if (ok) {
            for (const QVariant &value : values)
                query.addBindValue(value);
            ok = query.exec();
        }
    }
    if (!ok)
        return fail(connection, query.lastError(), errorText);
    return true;
}

bool OpenRecordset(clsAccessDBConnection &connection, const QString &sqlText,
                   const QVariantList &values, RecordSet *rows, QString *errorText)
{
    QSqlQuery query(connection.GetADOConnection());
    // Rows are counted while read; forward-only drivers cannot tell the size.
    query.setForwardOnly(true);
    if (!RunStatement(connection, query, sqlText, values, errorText))
        return false;

    const QSqlRecord record = query.record();
    QStringList columns;
    columns.reserve(record.count());
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);

    QList<QVariantList> data;
    while (query.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << query.value(i);
        data << row;
    }
    const QSqlError fetchError = query.lastError();
    query.finish();
    if (fetchError.isValid())
        return fail(connection, fetchError, errorText);
    if (rows)
        *rows = RecordSet(columns, data);
    return true;
}

bool ExecStatement(clsAccessDBConnection &connection, const QString &sqlText,
                   const QVariantList &values, QString *errorText)
{
    QSqlQuery query(connection.GetADOConnection());
    const bool ok = RunStatement(connection, query, sqlText, values, errorText);
    query.finish();
    return ok;
}
