#include "TableCommands.h"

#include "Commands.h"
#include "DBAssist.h"
#include "PrintableText.h"
#include "StationStatements.h"
#include "TableAccess.h"
#include "TableColumns.h"
#include "clsAccessDBConnection.h"

namespace {

// Rows of one station key (compared as every reader compares it).
bool CountRows(clsAccessDBConnection &connection, const QString &key, int *count, QString *error)
{
    RecordSet rows;
    if (!OpenRecordset(connection,
                       QStringLiteral("select count(*) from T_DNC_MPPC where %1").arg(StationKeyCondition(connection.Backend())),
                       {key}, &rows, error))
        return false;
    *count = rows.value(0, 0).toInt();
    return true;
}

} // namespace

int CopyStation(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString from = args.at(1);
    const QString to = args.at(2);
    if (from.compare(to, Qt::CaseInsensitive) == 0)
        return Refuse(err, QStringLiteral("FROM and TO are the same station %1.").arg(EscapeControlCharacters(from)));
    DatabaseChange change;
    QString error;
    if (!BeginChange(args.at(0), false, change, &error))
        return Refuse(err, error);
    clsAccessDBConnection &connection = change.connection();
    int fromRows = 0, toRows = 0;
    if (!CountRows(connection, from, &fromRows, &error) || !CountRows(connection, to, &toRows, &error))
        return Refuse(err, QStringLiteral("Cannot read T_DNC_MPPC: %1").arg(error.simplified()));
    // An empty source is more likely a mistyped key than a wish to clear TO.
    if (fromRows == 0)
        return Refuse(err, QStringLiteral("The station %1 has no rows in T_DNC_MPPC; nothing was copied.").arg(EscapeControlCharacters(from)));

    QStringList columns;
    for (const ColumnRule &rule : MppcTableRules().columns) {
        if (rule.name != QLatin1String("MPPC_ID") && rule.name != QLatin1String("PC_NAME"))
            columns << rule.name;
    }
    const QString list = columns.join(QStringLiteral(", "));
    const SqlStatement remove = DeleteStationRowsStatement(connection.Backend(), to);
    if (!ExecStatement(connection, remove.text, remove.values, &error)
        || !ExecStatement(connection,
                          QStringLiteral("insert into T_DNC_MPPC (PC_NAME, %1) select CAST(? AS TEXT), %1 from T_DNC_MPPC "
                                         "where %2 order by MPPC_ID")
                              .arg(list, StationKeyCondition(connection.Backend())),
                          {to, from}, &error))
        return Refuse(err, QStringLiteral("Cannot copy the rows: %1").arg(error.simplified()));
    // The database may take FROM and TO for one key where Qt does not (a
    // collation of its own): then the delete took FROM's rows too.
    int copied = 0;
    if (!CountRows(connection, to, &copied, &error))
        return Refuse(err, QStringLiteral("Cannot read T_DNC_MPPC: %1").arg(error.simplified()));
    if (copied != fromRows)
        return Refuse(err, QStringLiteral("Only %1 of the %2 rows of %3 could be copied to %4 (the database may "
                                          "take both for the same station); nothing was changed.")
                               .arg(copied).arg(fromRows)
                               .arg(EscapeControlCharacters(from), EscapeControlCharacters(to)));
    if (!change.commit(&error))
        return Refuse(err, error);
    out << "Station " << EscapeControlCharacters(to) << " now has the " << fromRows << (fromRows == 1 ? " row" : " rows")
        << " of " << EscapeControlCharacters(from);
    if (toRows > 0)
        out << " (" << toRows << " earlier " << (toRows == 1 ? "row" : "rows") << " replaced)";
    out << Qt::endl;
    return ExitOk;
}
