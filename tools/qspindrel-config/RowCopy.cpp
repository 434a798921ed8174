#include "RowCopy.h"

#include "DBAssist.h"
#include "clsAccessDBConnection.h"

#include <QSqlDriver>

bool InsertRows(clsAccessDBConnection &connection, const QString &tableName, const TableRows &rows,
                QStringList *skipped, QString *error)
{
    RecordSet probe;
    QString why;
    if (!OpenRecordset(connection, QStringLiteral("select * from %1 where 1 = 0").arg(tableName), {},
                       &probe, &why)) {
        *error = QStringLiteral("Cannot read the columns of %1: %2").arg(tableName, why.simplified());
        return false;
    }
    QSqlDriver *driver = connection.GetADOConnection().driver();
    QStringList names;
    QList<int> sourceIndexes;
    for (int i = 0; i < rows.columns.size(); ++i) {
        const int target = probe.columnIndex(rows.columns.at(i));
        if (target < 0) {
            if (skipped)
                *skipped << rows.columns.at(i);
            continue;
        }
        names << driver->escapeIdentifier(probe.columns().at(target), QSqlDriver::FieldName);
        sourceIndexes << i;
    }
    if (names.isEmpty()) {
        *error = QStringLiteral("%1 has none of the columns of the table to copy.").arg(tableName);
        return false;
    }
    const QString sql = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(tableName, names.join(QStringLiteral(", ")),
                                 QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    for (int r = 0; r < rows.rows.size(); ++r) {
        QVariantList values;
        for (int i : sourceIndexes)
            values << rows.rows.at(r).value(i);
        if (!ExecStatement(connection, sql, values, &why)) {
            *error = QStringLiteral("Row %1 of %2 cannot be added: %3").arg(r + 1).arg(tableName, why.simplified());
            return false;
        }
    }
    return true;
}
