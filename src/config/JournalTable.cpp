#include "JournalTable.h"

#include "AppInfo.h"
#include "CRegSettings.h"
#include "DBAssist.h"
#include "clsAccessDBConnection.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// The table holds every column of a listing but the database note.
QStringList TableColumns()
{
    QStringList columns = JournalColumns();
    columns.removeAll(QStringLiteral("DATABASE_ERROR"));
    return columns;
}

QVariant Text(const QString &text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

} // namespace

QString JournalTableName()
{
    return QStringLiteral("T_DNC_JOURNAL");
}

QStringList JournalTableStatements(DbBackend backend)
{
    if (backend == DbBackend::Access)
        return {};
    const bool pg = backend == DbBackend::PostgreSql;
    const QString text = pg ? QStringLiteral("text") : QStringLiteral("TEXT");
    const QString integer = pg ? QStringLiteral("integer") : QStringLiteral("INTEGER");
    const QString big = pg ? QStringLiteral("bigint") : QStringLiteral("INTEGER");
    // Times are UTC texts of one width, so that they sort and compare as text.
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS T_DNC_JOURNAL ("
                       " ENTRY_ID %1 NOT NULL PRIMARY KEY,"
                       " REQUEST_TIME %1 NOT NULL,"
                       " UTC_OFFSET %1,"
                       " STATION_KEY %1%4,"
                       " STATION_MODE %1,"
                       " LOGIN_NAME %1,"
                       " MACHINE_ID %2,"
                       " MACHINE_NUMBER %1,"
                       " MACHINE_NAME %1,"
                       " IP_ADDRESS %1,"
                       " PORT %2,"
                       " ACTION %1 NOT NULL,"
                       " REMOTE_CMD %1,"
                       " FULL_PATH %1,"
                       " FILE_SIZE %3,"
                       " FILE_MODIFIED %1,"
                       " SHA256 %1,"
                       " FILE_ERROR %1,"
                       " OUTCOME %1 NOT NULL,"
                       " MESSAGE_ID %2,"
                       " REASON %1)")
            .arg(text, integer, big, pg ? QString() : QStringLiteral(" COLLATE NOCASE")),
        QStringLiteral("CREATE INDEX IF NOT EXISTS IX_T_DNC_JOURNAL_TIME ON T_DNC_JOURNAL (REQUEST_TIME)"),
        // journal-verify looks programs up by their fingerprint.
        QStringLiteral("CREATE INDEX IF NOT EXISTS IX_T_DNC_JOURNAL_SHA256 ON T_DNC_JOURNAL (SHA256)"),
    };
}

bool CreateJournalTable(clsAccessDBConnection &connection, QString *errorText)
{
    const QStringList statements = JournalTableStatements(connection.Backend());
    if (statements.isEmpty()) {
        if (errorText)
            *errorText = QStringLiteral("The journal table can be created in SQLite and PostgreSQL databases only.");
        return false;
    }
    if (!connection.OpenTransaction()) {
        if (errorText) {
            const auto errors = connection.GetADOErrors();
            *errorText = errors.isEmpty() ? QStringLiteral("The database is not open.")
                                          : errors.constLast().text().trimmed();
        }
        return false;
    }
    if (!AddJournalTable(connection, errorText)) {
        connection.RollbackTransaction();
        return false;
    }
    if (!connection.CommitTransaction()) {
        if (errorText) {
            const auto errors = connection.GetADOErrors();
            *errorText = errors.isEmpty() ? QStringLiteral("The change could not be saved.")
                                          : errors.constLast().text().trimmed();
        }
        connection.RollbackTransaction();
        return false;
    }
    return true;
}

bool AddJournalTable(clsAccessDBConnection &connection, QString *errorText)
{
    const QStringList statements = JournalTableStatements(connection.Backend());
    for (const QString &statement : statements) {
        if (!ExecStatement(connection, statement, {}, errorText))
            return false;
    }
    return !statements.isEmpty();
}

bool InsertJournalEntry(clsAccessDBConnection &connection, const JournalEntry &e, QString *errorText)
{
    const QStringList columns = TableColumns();
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    const QVariant noNumber(QMetaType::fromType<int>());
    const QVariantList values{
        e.id,
        JournalTimeText(e.time),
        UtcOffsetText(e.utcOffsetSeconds),
        Text(e.station),
        e.userMode ? QStringLiteral("user") : QStringLiteral("station"),
        Text(e.login),
        e.machineId,
        Text(e.machineNumber),
        Text(e.machineName),
        Text(e.address),
        e.port,
        JournalActionName(e.action),
        Text(e.command),
        Text(e.path),
        e.size ? QVariant(qlonglong(*e.size)) : QVariant(QMetaType::fromType<qlonglong>()),
        Text(JournalTimeText(e.modified)),
        Text(e.sha256),
        Text(e.fileError),
        JournalOutcomeName(e.outcome),
        e.messageId ? QVariant(e.messageId) : noNumber,
        Text(e.reason),
    };
    return ExecStatement(connection,
                         QStringLiteral("INSERT INTO T_DNC_JOURNAL (%1) VALUES (%2)")
                             .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                         values, errorText);
}

bool ReadJournalTable(clsAccessDBConnection &connection, const JournalFilter &filter,
                      QList<JournalEntry> *entries, QString *errorText)
{
    QStringList where;
    QVariantList values;
    if (filter.since.isValid()) {
        where << QStringLiteral("REQUEST_TIME >= ?");
        values << JournalTimeText(filter.since);
    }
    if (filter.until.isValid()) {
        where << QStringLiteral("REQUEST_TIME < ?");
        values << JournalTimeText(filter.until);
    }
    const QString sql = QStringLiteral("SELECT %1 FROM T_DNC_JOURNAL%2 ORDER BY REQUEST_TIME, ENTRY_ID")
                            .arg(TableColumns().join(QStringLiteral(", ")),
                                 where.isEmpty() ? QString()
                                                 : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")));
    RecordSet rows;
    if (!OpenRecordset(connection, sql, values, &rows, errorText))
        return false;
    QList<JournalEntry> read;
    for (int r = 0; r < rows.count(); ++r) {
        auto text = [&](const char *column) { return rows.value(r, QLatin1String(column)).toString(); };
        JournalEntry e;
        e.id = text("ENTRY_ID");
        e.time = JournalTimeFromText(text("REQUEST_TIME"));
        e.utcOffsetSeconds = UtcOffsetSeconds(text("UTC_OFFSET"));
        e.station = text("STATION_KEY");
        e.userMode = text("STATION_MODE") == QLatin1String("user");
        e.login = text("LOGIN_NAME");
        e.machineId = rows.value(r, QStringLiteral("MACHINE_ID")).toInt();
        e.machineNumber = text("MACHINE_NUMBER");
        e.machineName = text("MACHINE_NAME");
        e.address = text("IP_ADDRESS");
        e.port = rows.value(r, QStringLiteral("PORT")).toInt();
        e.action = JournalActionFromName(text("ACTION")).value_or(JournalAction::Send);
        e.command = text("REMOTE_CMD");
        e.path = text("FULL_PATH");
        const QVariant size = rows.value(r, QStringLiteral("FILE_SIZE"));
        if (!size.isNull())
            e.size = size.toLongLong();
        e.modified = JournalTimeFromText(text("FILE_MODIFIED"));
        e.sha256 = text("SHA256");
        e.fileError = text("FILE_ERROR");
        e.outcome = JournalOutcomeFromName(text("OUTCOME")).value_or(JournalOutcome::Refused);
        e.messageId = rows.value(r, QStringLiteral("MESSAGE_ID")).toInt();
        e.reason = text("REASON");
        if (MatchesJournalFilter(e, filter))
            read << e;
    }
    *entries = read;
    return true;
}

bool WriteJournalEntryToDatabase(const QString &databasePath, const JournalEntry &entry, QString *errorText)
{
    clsAccessDBConnection connection;
    connection.setDatabase(databasePath);
    if (!connection.Connect()) {
        if (errorText)
            *errorText = connection.ConnectFailureText();
        return false;
    }
    return InsertJournalEntry(connection, entry, errorText);
}

JournalSettings ReadJournalSettings()
{
    const CRegSettings reg;
    const QString section = QStringLiteral("Journal");
    auto number = [&](const char *key, int fallback) {
        bool ok = false;
        const int value = reg.GetUserSetting(section, QLatin1String(key), fallback).toString().toInt(&ok);
        return ok ? value : fallback;
    };
    JournalSettings s;
    s.enabled = number("Enabled", 1) != 0;
    s.maxFileBytes = qint64(qBound(1, number("MaxFileKB", int(s.maxFileBytes / 1024)), 1024 * 1024)) * 1024;
    s.maxFiles = qBound(1, number("Files", s.maxFiles), 1000);
    s.database = number("DatabaseTable", 0) != 0;
    return s;
}

QString DefaultJournalFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QString();
    return QDir(data).filePath(QStringLiteral("Quorvane/%1/journal").arg(ApplicationTitle()));
}
