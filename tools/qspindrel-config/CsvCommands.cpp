#include "TableCommands.h"

#include "Commands.h"
#include "ConfigSchema.h"
#include "CsvFormat.h"
#include "DBAssist.h"
#include "PrintableText.h"
#include "StationRowReader.h"
#include "TableAccess.h"
#include "TableColumns.h"
#include "clsAccessDBConnection.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <utility>

namespace {

// An import with many faults names the first ones; they are usually alike.
constexpr int kProblemsShown = 20;

const TableRules *TableOrRefuse(const QString &name, const char *usage, QTextStream &err, int *status)
{
    const TableRules *rules = RulesForTable(name);
    if (!rules)
        *status = RefuseUsage(err, QStringLiteral("%1 is not T_DNC_MACHINES or T_DNC_MPPC.").arg(EscapeControlCharacters(name)), usage);
    return rules;
}

const QString kSpreadsheetOption = QStringLiteral("--spreadsheet");

// The three positional arguments DB TABLE FILE, with --spreadsheet anywhere.
bool SplitCsvArguments(QStringList *args, bool *spreadsheet, const char *usage, QTextStream &err, int *status)
{
    *spreadsheet = args->removeAll(kSpreadsheetOption) > 0;
    if (args->size() == 3)
        return true;
    *status = RefuseUsage(err, QStringLiteral("%1 arguments where DB TABLE FILE are needed.").arg(args->size()), usage);
    return false;
}

QStringList ColumnNames(const TableRules &rules)
{
    QStringList names;
    for (const ColumnRule &c : rules.columns)
        names << c.name;
    return names;
}

struct ImportRow {
    int line = 0;
    QVariantList values; // in the order of the header
};

// The values of a whole-number column already in the database.
bool ExistingIds(clsAccessDBConnection &connection, const QString &table, const QString &column,
                 QSet<int> *ids, QString *error)
{
    RecordSet rows;
    if (!OpenRecordset(connection, QStringLiteral("select %1 from %2").arg(column, table), {}, &rows, error))
        return false;
    for (int i = 0; i < rows.count(); ++i) {
        int id = 0;
        if (ToInt32(rows.value(i, 0), &id))
            ids->insert(id);
    }
    return true;
}

class ImportCheck
{
public:
    void problem(int line, const QString &column, const QString &text)
    {
        m_problems << (column.isEmpty() ? QStringLiteral("line %1: %2").arg(line).arg(text)
                                        : QStringLiteral("line %1, column %2: %3").arg(line).arg(column, text));
    }
    void warning(int line, const QString &column, const QString &text)
    {
        m_warnings << QStringLiteral("line %1, column %2: %3").arg(line).arg(column, text);
    }
    bool ok() const { return m_problems.isEmpty(); }
    int report(QTextStream &err, const QString &file) const
    {
        for (int i = 0; i < m_problems.size() && i < kProblemsShown; ++i)
            err << "qspindrel-config: " << EscapeControlCharacters(file) << ", " << m_problems.at(i) << Qt::endl;
        if (m_problems.size() > kProblemsShown)
            err << "qspindrel-config: ... and " << m_problems.size() - kProblemsShown << " more problems." << Qt::endl;
        err << "qspindrel-config: nothing was imported." << Qt::endl;
        return ExitFailed;
    }
    void warn(QTextStream &err, const QString &file) const
    {
        for (const QString &w : m_warnings)
            err << "qspindrel-config: warning: " << EscapeControlCharacters(file) << ", " << w << Qt::endl;
    }

private:
    QStringList m_problems;
    QStringList m_warnings;
};

// Maps the header to the table's columns; every required column must be there.
QList<const ColumnRule *> ReadHeader(const TableRules &rules, const CsvRecord &header, ImportCheck &check)
{
    QList<const ColumnRule *> columns;
    QSet<QString> seen;
    for (const CsvField &field : header.fields) {
        const QString name = field.text.trimmed();
        const ColumnRule *rule = rules.find(name);
        if (!rule)
            check.problem(header.line, QString(), QStringLiteral("\"%1\" is no column of %2 (its columns: %3).")
                                                     .arg(EscapeControlCharacters(name), rules.table, ColumnNames(rules).join(QStringLiteral(", "))));
        else if (seen.contains(rule->name))
            check.problem(header.line, rule->name, QStringLiteral("named twice in the header."));
        else
            seen.insert(rule->name);
        columns << rule;
    }
    for (const ColumnRule &rule : rules.columns) {
        if (rule.required && !seen.contains(rule.name))
            check.problem(header.line, rule.name, QStringLiteral("missing from the header."));
    }
    return columns;
}

// Ids in one column that must be new: not in the database, not twice in the file.
void CheckUniqueIds(const QList<ImportRow> &rows, int index, const QString &column, const QSet<int> &inDatabase,
                    ImportCheck &check)
{
    QHash<int, int> firstLine;
    for (const ImportRow &row : rows) {
        const QVariant v = row.values.at(index);
        if (v.isNull())
            continue;
        const int id = v.toInt();
        if (inDatabase.contains(id))
            check.problem(row.line, column, QStringLiteral("%1 exists already in the database.").arg(id));
        else if (firstLine.contains(id))
            check.problem(row.line, column, QStringLiteral("%1 is already on line %2.").arg(id).arg(firstLine.value(id)));
        else
            firstLine.insert(id, row.line);
    }
}

bool InsertImportRows(clsAccessDBConnection &connection, const TableRules &rules,
                      const QList<const ColumnRule *> &columns, const QList<ImportRow> &rows, QString *error)
{
    for (const ImportRow &row : rows) {
        QStringList names, marks;
        QVariantList values;
        for (int i = 0; i < columns.size(); ++i) {
            // A row without its key gets one from the database.
            if (columns.at(i)->name == rules.key && row.values.at(i).isNull())
                continue;
            names << columns.at(i)->name;
            marks << QStringLiteral("?");
            values << row.values.at(i);
        }
        QString why;
        if (!ExecStatement(connection, QStringLiteral("insert into %1 (%2) values (%3)")
                                           .arg(rules.table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                           values, &why)) {
            *error = QStringLiteral("line %1 cannot be added: %2").arg(row.line).arg(why.simplified());
            return false;
        }
    }
    return true;
}

} // namespace

int ExportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const char *const usage = "export-csv DB TABLE FILE [--spreadsheet]";
    int status = ExitOk;
    QStringList args = arguments;
    bool spreadsheet = false;
    if (!SplitCsvArguments(&args, &spreadsheet, usage, err, &status))
        return status;
    const TableRules *rules = TableOrRefuse(args.at(1), usage, err, &status);
    if (!rules)
        return status;
    clsAccessDBConnection connection;
    QString error;
    if (!OpenForReading(args.at(0), connection, &error))
        return Refuse(err, error);
    const QStringList names = ColumnNames(*rules);
    RecordSet rows;
    if (!OpenRecordset(connection, QStringLiteral("select %1 from %2 order by %3")
                                       .arg(names.join(QStringLiteral(", ")), rules->table, rules->key),
                       {}, &rows, &error))
        return Refuse(err, QStringLiteral("Cannot read %1: %2").arg(rules->table, error.simplified()));
    QList<CsvOutField> header;
    for (const QString &name : names)
        header << CsvOutField{name, false};
    QByteArray csv = CsvLine(header);
    for (int r = 0; r < rows.count(); ++r) {
        QList<CsvOutField> fields;
        for (int c = 0; c < names.size(); ++c) {
            const QVariant v = rows.value(r, c);
            const QString text = v.isNull() ? QString() : v.toString();
            fields << CsvOutField{spreadsheet ? GuardSpreadsheetCell(text) : text, v.isNull()};
        }
        csv += CsvLine(fields);
    }
    // Written whole or not at all: an old export stays until the new one is complete.
    QSaveFile file(args.at(2));
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        return Refuse(err, QStringLiteral("Cannot write %1: %2").arg(args.at(2), file.errorString()));
    out << "Wrote " << rows.count() << " rows of " << rules->table << " to " << args.at(2) << Qt::endl;
    return ExitOk;
}

int ImportCsv(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const char *const usage = "import-csv DB TABLE FILE [--spreadsheet]";
    int status = ExitOk;
    QStringList args = arguments;
    bool spreadsheet = false;
    if (!SplitCsvArguments(&args, &spreadsheet, usage, err, &status))
        return status;
    const TableRules *rules = TableOrRefuse(args.at(1), usage, err, &status);
    if (!rules)
        return status;
    const QString fileName = args.at(2);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(err, QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    QString error;
    const auto records = ParseCsv(file.readAll(), &error);
    if (!records)
        return Refuse(err, QStringLiteral("%1, %2 Nothing was imported.").arg(EscapeControlCharacters(fileName), error));
    if (records->isEmpty())
        return Refuse(err, QStringLiteral("%1 is empty; its first line must name the columns.").arg(EscapeControlCharacters(fileName)));

    ImportCheck check;
    const QList<const ColumnRule *> columns = ReadHeader(*rules, records->first(), check);
    if (!check.ok())
        return check.report(err, fileName);
    QList<ImportRow> rows;
    for (int r = 1; r < records->size(); ++r) {
        const CsvRecord &record = records->at(r);
        // Editors often leave an empty line at the end.
        if (record.fields.size() == 1 && record.fields.first().isNull())
            continue;
        if (record.fields.size() != columns.size()) {
            check.problem(record.line, QString(), QStringLiteral("%1 %2 where the header has %3.")
                                                      .arg(record.fields.size())
                                                      .arg(record.fields.size() == 1 ? QStringLiteral("field") : QStringLiteral("fields"))
                                                      .arg(columns.size()));
            continue;
        }
        ImportRow row{record.line, {}};
        for (int c = 0; c < columns.size(); ++c) {
            const CsvField &field = record.fields.at(c);
            const QString text = spreadsheet ? UnguardSpreadsheetCell(field.text) : field.text;
            QVariant value;
            QString problem, warning;
            if (!CheckColumnValue(*columns.at(c), text, field.isNull(), &value, &problem, &warning))
                check.problem(record.line, columns.at(c)->name, problem);
            if (!warning.isEmpty())
                check.warning(record.line, columns.at(c)->name, warning);
            row.values << value;
        }
        rows << row;
    }

    // Checked against the database too, so that one run names every fault.
    DatabaseChange change;
    if (!BeginChange(args.at(0), true, change, &error))
        return Refuse(err, error);
    clsAccessDBConnection &connection = change.connection();
    const auto indexOf = [&](const QString &name) {
        for (int i = 0; i < columns.size(); ++i) {
            if (columns.at(i)->name == name)
                return i;
        }
        return -1;
    };
    QSet<int> keys;
    if (!ExistingIds(connection, rules->table, rules->key, &keys, &error))
        return Refuse(err, QStringLiteral("Cannot read %1: %2").arg(rules->table, error.simplified()));
    if (indexOf(rules->key) >= 0)
        CheckUniqueIds(rows, indexOf(rules->key), rules->key, keys, check);
    if (rules == &MppcTableRules()) {
        // A row of a machine that does not exist would be seen by no station.
        QSet<int> machines;
        if (!ExistingIds(connection, MachineTableRules().table, MachineTableRules().key, &machines, &error))
            return Refuse(err, QStringLiteral("Cannot read T_DNC_MACHINES: %1").arg(error.simplified()));
        const int machineColumn = indexOf(QStringLiteral("MACHINE_ID"));
        for (const ImportRow &row : std::as_const(rows)) {
            const QVariant machine = row.values.at(machineColumn);
            if (!machine.isNull() && !machines.contains(machine.toInt()))
                check.problem(row.line, QStringLiteral("MACHINE_ID"),
                              QStringLiteral("there is no machine %1 in T_DNC_MACHINES.").arg(row.values.at(machineColumn).toInt()));
        }
    }
    if (!check.ok())
        return check.report(err, fileName);
    if (!InsertImportRows(connection, *rules, columns, rows, &error))
        return Refuse(err, QStringLiteral("%1, %2 Nothing was imported.").arg(EscapeControlCharacters(fileName), error));
    if (rules == &MppcTableRules() && !SyncMppcIdNumbering(connection, &error))
        return Refuse(err, QStringLiteral("Cannot continue the numbering of MPPC_ID: %1").arg(error.simplified()));
    if (!change.commit(&error))
        return Refuse(err, error);
    check.warn(err, fileName);
    out << "Added " << rows.size() << " rows to " << rules->table << " of " << DatabaseDisplayName(args.at(0)) << Qt::endl;
    return ExitOk;
}
