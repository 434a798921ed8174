#include "MdbImport.h"

#include "ConfigSchema.h"
#include "DBAssist.h"
#include "DatabaseChange.h"
#include "ImportChecks.h"
#include "RowCopy.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kMachinesTable = QStringLiteral("T_DNC_MACHINES");
const QString kMppcTable = QStringLiteral("T_DNC_MPPC");

bool RunTool(const QString &program, const QStringList &arguments, const ProcessLimits &limits,
             QByteArray *output, QString *error)
{
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        *error = QStringLiteral("%1 was not found: install mdbtools.").arg(program);
        return false;
    }
    return RunBoundedProcess(program, arguments, limits, output, error);
}

// `mdbFile` as the user named it, for messages; `absolute` for mdbtools.
bool ExportTable(const QString &mdbFile, const QString &absolute, const QString &table,
                 const ProcessLimits &limits, TableRows *rows, QString *error)
{
    QByteArray csv;
    QString why;
    if (!RunTool(QStringLiteral("mdb-export"), {QStringLiteral("-b"), QStringLiteral("strip"), absolute, table},
                 limits, &csv, &why)) {
        *error = QStringLiteral("Cannot read the table %1 of %2: %3").arg(table, mdbFile, why);
        return false;
    }
    const auto parsed = ParseMdbExport(csv, &why);
    if (!parsed) {
        *error = QStringLiteral("Cannot read the table %1 of %2 (%3).").arg(table, mdbFile, why);
        return false;
    }
    *rows = *parsed;
    return true;
}

// Access names ignore case; mdb-export needs the name as stored.
QString FindTable(const QStringList &tables, const QString &name)
{
    for (const QString &table : tables) {
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    }
    return QString();
}

bool TableIsEmpty(clsAccessDBConnection &connection, const QString &table, QString *error)
{
    RecordSet rows;
    QString why;
    if (!OpenRecordset(connection, QStringLiteral("select count(*) from %1").arg(table), {}, &rows, &why)) {
        *error = QStringLiteral("Cannot read %1: %2").arg(table, why.simplified());
        return false;
    }
    if (rows.value(0, 0).toLongLong() != 0) {
        *error = QStringLiteral("%1 already holds rows; import into a new or empty database.").arg(table);
        return false;
    }
    return true;
}

} // namespace

std::optional<MdbStationTables> ReadMdbStationTables(const QString &mdbFile, QString *error,
                                                     const ProcessLimits &limits)
{
    const QFileInfo info(mdbFile);
    if (!info.isFile() || !info.isReadable()) {
        *error = QStringLiteral("%1 is not a readable file.").arg(mdbFile);
        return std::nullopt;
    }
    // A relative name that begins with "-" would reach mdbtools as an option.
    const QString absolute = info.absoluteFilePath();
    QByteArray listing;
    QString why;
    if (!RunTool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), absolute}, limits, &listing, &why)) {
        *error = QStringLiteral("%1 cannot be read as an Access database (%2)").arg(mdbFile, why);
        return std::nullopt;
    }
    const QStringList tables = ParseMdbTableList(listing);
    const QString machines = FindTable(tables, kMachinesTable);
    const QString mppc = FindTable(tables, kMppcTable);
    if (machines.isEmpty() || mppc.isEmpty()) {
        QStringList missing;
        if (machines.isEmpty())
            missing << kMachinesTable;
        if (mppc.isEmpty())
            missing << kMppcTable;
        *error = QStringLiteral("%1 is not a station configuration database: it has no table %2 "
                                "(its tables: %3).")
                     .arg(mdbFile, missing.join(QStringLiteral(" and no table ")),
                          tables.isEmpty() ? QStringLiteral("none") : tables.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    MdbStationTables result;
    if (!ExportTable(mdbFile, absolute, machines, limits, &result.machines, error)
        || !ExportTable(mdbFile, absolute, mppc, limits, &result.mppc, error))
        return std::nullopt;
    return result;
}

bool ImportStationTables(const MdbStationTables &tables, const QString &databasePath,
                         QStringList *notes, QString *error)
{
    const std::pair<QString, const TableRows *> copies[] = {{kMachinesTable, &tables.machines},
                                                           {kMppcTable, &tables.mppc}};
    // Checked before anything is made, so a refusal leaves no trace.
    for (const auto &[table, rows] : copies) {
        const QString fault = CheckStationTableRows(table, *rows);
        if (!fault.isEmpty()) {
            *error = QStringLiteral("Nothing was imported: %1").arg(fault);
            return false;
        }
    }
    DatabaseChange change;
    if (!change.begin(databasePath, false, error))
        return false;
    clsAccessDBConnection &connection = change.connection();
    // Each refusal from here on rolls the whole change back.
    const auto refused = [error] {
        error->prepend(QStringLiteral("Nothing was imported: "));
        return false;
    };
    if (!TableIsEmpty(connection, kMachinesTable, error) || !TableIsEmpty(connection, kMppcTable, error))
        return refused();
    for (const auto &[table, rows] : copies) {
        QStringList skipped;
        if (!InsertRows(connection, table, *rows, &skipped, error))
            return refused();
        if (!skipped.isEmpty())
            notes->append(QStringLiteral("Columns of %1 not copied (the database has no such column): %2")
                              .arg(table, skipped.join(QStringLiteral(", "))));
    }
    QString why;
    if (!SyncMppcIdNumbering(connection, &why)) {
        *error = QStringLiteral("Cannot continue the numbering of MPPC_ID: %1").arg(why.simplified());
        return refused();
    }
    return change.commit(error) || refused();
}
