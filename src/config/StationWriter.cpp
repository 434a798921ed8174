#include "StationTables.h"

#include "DBAssist.h"
#include "MessageText.h"
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
                           GetMessageText(MessageId::EditModeInvalid, QString::number(s.EDIT_MODE),
                                          QString::number(s.MACHINE_ID)));
        if (!IsCmdType(s.CMD_TYPE))
            return outcome(SaveResult::Failed,
                           GetMessageText(MessageId::CommandTypeInvalid, QString::number(s.CMD_TYPE),
                                          QString::number(s.MACHINE_ID)));
    }
    if (!connection.IsConnected())
        return outcome(SaveResult::Failed, GetMessageText(MessageId::DatabaseNotOpen));

    // Without a transaction a failure would leave the station half written.
    connection.ClearADOErrors();
    if (!connection.OpenTransaction())
        return outcome(SaveResult::Failed,
                       GetMessageText(MessageId::ChangeNotStarted, lastError(connection)));

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
                           GetMessageText(MessageId::RowNotAdded, QString::number(s.MACHINE_ID), error));
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
                       GetMessageText(MessageId::ChangeNotCommitted, text));
    }
    return outcome(SaveResult::Saved, QString());
}
