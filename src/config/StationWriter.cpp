#include "StationTables.h"

#include "DBAssist.h"
#include "clsAccessDBConnection.h"

#include <QSqlQuery>

#include <map>

namespace {

SaveResult outcome(SaveResult::Status status, const QString &error)
{
    SaveResult r;
    r.status = status;
    r.error = error;
    return r;
}

QString lastError(const clsAccessDBConnection &connection)
{
    const QList<QSqlError> errors = connection.GetADOErrors();
    return errors.isEmpty() ? QString() : errors.constLast().text().trimmed();
}

} // namespace

SaveResult SaveStationMachines(clsAccessDBConnection &connection, const QString &stationKey,
                               const QList<StationMachineSetting> &settings)
{
    for (const StationMachineSetting &s : settings) {
        if (!IsEditMode(s.EDIT_MODE))
            return outcome(SaveResult::Failed,
                           QStringLiteral("The edit mode %1 of MACHINE_ID %2 is not 0, 1 or 2.")
                               .arg(s.EDIT_MODE).arg(s.MACHINE_ID));
        if (!IsCmdType(s.CMD_TYPE))
            return outcome(SaveResult::Failed,
                           QStringLiteral("The command type %1 of MACHINE_ID %2 is not 0, 1 or 2.")
                               .arg(s.CMD_TYPE).arg(s.MACHINE_ID));
    }
    if (!connection.IsConnected())
        return outcome(SaveResult::Failed, QStringLiteral("The database is not open."));

    // Without a transaction a failure would leave the station half written.
    connection.ClearADOErrors();
    if (!connection.OpenTransaction())
        return outcome(SaveResult::Failed,
                       QStringLiteral("The change could not be started: %1").arg(lastError(connection)));

    QString error;
    // Kept until after a rollback (see RunStatement). One query per statement
    // text, so that each insert is prepared once (a row's CMD_TYPE decides
    // which columns it names: at most three texts).
    const QSqlDatabase db = connection.GetADOConnection();
    QSqlQuery query(db);
    std::map<QString, QSqlQuery> inserts;
    const auto abandon = [&] {
        query.finish();
        for (auto &insert : inserts)
            insert.second.finish();
        connection.RollbackTransaction();
    };
    const SqlStatement del = DeleteStationRowsStatement(connection.Backend(), stationKey);
    if (!RunStatement(connection, query, del.text, del.values, &error)) {
        abandon();
        return outcome(SaveResult::DeleteFailed, error);
    }
    for (const StationMachineSetting &s : settings) {
        const SqlStatement ins = InsertStationRowStatement(stationKey, s);
        QSqlQuery &insert = inserts.try_emplace(ins.text, db).first->second;
        if (!RunStatement(connection, insert, ins.text, ins.values, &error)) {
            abandon();
            return outcome(SaveResult::Failed,
                           QStringLiteral("The row of MACHINE_ID %1 could not be added: %2")
                               .arg(s.MACHINE_ID).arg(error));
        }
    }
    query.finish();
    for (auto &insert : inserts)
        insert.second.finish();
    // A lost commit must not look like a saved station.
    connection.ClearADOErrors();
    if (!connection.CommitTransaction()) {
        const QString text = lastError(connection);
        connection.RollbackTransaction();
        return outcome(SaveResult::Failed,
                       QStringLiteral("The change could not be committed: %1").arg(text));
    }
    return outcome(SaveResult::Saved, QString());
}
