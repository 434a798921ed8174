#include "TableCommands.h"

#include "Commands.h"
#include "DBAssist.h"
#include "PrintableText.h"
#include "StationRowReader.h"
#include "TableAccess.h"
#include "TableColumns.h"
#include "clsAccessDBConnection.h"

#include <QHash>
#include <QMap>
#include <utility>

namespace {

const char kAddUsage[] = "machine-add DB ID --number N --name NAME --address HOST --port PORT [--icon 1-31]";
const char kSetUsage[] = "machine-set DB ID [--number N] [--name NAME] [--address HOST] [--port PORT] [--icon 1-31]";
const char kRemoveUsage[] = "machine-remove DB ID [--force]";

const QList<std::pair<QString, QString>> &OptionColumns()
{
    static const QList<std::pair<QString, QString>> options{
        {QStringLiteral("--number"), QStringLiteral("MACHINE_NUMBER")},
        {QStringLiteral("--name"), QStringLiteral("MACHINE_NAME")},
        {QStringLiteral("--address"), QStringLiteral("IP_ADDRESS")},
        {QStringLiteral("--port"), QStringLiteral("PORT")},
        {QStringLiteral("--icon"), QStringLiteral("ICON_INDEX")}};
    return options;
}

// The command line of one machine: the database, the checked id, the checked
// column values in the order given, and --force.
struct MachineCommand {
    QString database;
    int id = 0;
    QList<std::pair<QString, QVariant>> values;
    QStringList warnings;
    bool force = false;
};

// Options as "--name VALUE" or "--name=VALUE". False with *error set.
bool ParseMachineCommand(const QStringList &args, bool allowValues, bool allowForce, MachineCommand *command,
                         QString *error, bool *usage)
{
    *usage = true;
    if (args.size() < 2) {
        *error = QStringLiteral("the database and the MACHINE_ID are needed.");
        return false;
    }
    command->database = args.at(0);
    QString problem, warning;
    QVariant id;
    if (!CheckColumnValue(*MachineTableRules().find(QStringLiteral("MACHINE_ID")), args.at(1), false, &id,
                          &problem, &warning)) {
        *usage = false;
        *error = QStringLiteral("MACHINE_ID: %1").arg(problem);
        return false;
    }
    command->id = id.toInt();
    for (int i = 2; i < args.size(); ++i) {
        QString option = args.at(i);
        QString value;
        bool hasValue = false;
        if (const int eq = option.indexOf(QLatin1Char('=')); option.startsWith(QLatin1String("--")) && eq > 0) {
            value = option.mid(eq + 1);
            option = option.left(eq);
            hasValue = true;
        }
        if (allowForce && option == QLatin1String("--force") && !hasValue) {
            command->force = true;
            continue;
        }
        QString column;
        for (const auto &[name, col] : OptionColumns()) {
            if (allowValues && name == option)
                column = col;
        }
        if (column.isEmpty()) {
            *error = QStringLiteral("unknown option %1.").arg(EscapeControlCharacters(args.at(i)));
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value.").arg(option);
                return false;
            }
            value = args.at(++i);
        }
        for (const auto &given : std::as_const(command->values)) {
            if (given.first == column) {
                *error = QStringLiteral("%1 is given twice.").arg(option);
                return false;
            }
        }
        QVariant stored;
        if (!CheckColumnValue(*MachineTableRules().find(column), value, false, &stored, &problem, &warning)) {
            *usage = false;
            *error = QStringLiteral("%1 (%2): %3").arg(column, option, problem);
            return false;
        }
        if (!warning.isEmpty())
            command->warnings << QStringLiteral("%1 (%2): %3").arg(column, option, warning);
        warning.clear();
        command->values << std::make_pair(column, stored);
    }
    return true;
}

int ParseOrRefuse(const QStringList &args, bool allowValues, bool allowForce, const char *usage,
                  MachineCommand *command, QTextStream &err)
{
    QString error;
    bool isUsage = false;
    if (ParseMachineCommand(args, allowValues, allowForce, command, &error, &isUsage))
        return ExitOk;
    return isUsage ? RefuseUsage(err, error, usage) : Refuse(err, error);
}

void Warn(QTextStream &err, const QStringList &warnings)
{
    for (const QString &w : warnings)
        err << "qspindrel-config: warning: " << w << Qt::endl;
}

// The machine's name, or a null QVariant when there is no such machine.
bool FindMachine(clsAccessDBConnection &connection, int id, QVariant *name, QString *error)
{
    RecordSet rows;
    if (!OpenRecordset(connection, QStringLiteral("select MACHINE_NAME from T_DNC_MACHINES where MACHINE_ID = ?"),
                       {id}, &rows, error))
        return false;
    *name = rows.isEmpty() ? QVariant() : QVariant(rows.value(0, 0).toString());
    return true;
}

// Station keys that have rows for the machine, as stored.
bool StationsUsing(clsAccessDBConnection &connection, int id, QStringList *stations, int *rowCount, QString *error)
{
    RecordSet rows;
    if (!OpenRecordset(connection, QStringLiteral("select PC_NAME from T_DNC_MPPC where MACHINE_ID = ? order by PC_NAME"),
                       {id}, &rows, error))
        return false;
    *rowCount = rows.count();
    for (int i = 0; i < rows.count(); ++i) {
        const QString key = EscapeControlCharacters(rows.value(i, 0).toString());
        if (!stations->contains(key, Qt::CaseInsensitive))
            *stations << key;
    }
    return true;
}

} // namespace

int ListMachines(const QStringList &args, QTextStream &out, QTextStream &err)
{
    clsAccessDBConnection connection;
    QString error;
    if (!OpenForReading(args.at(0), connection, &error))
        return Refuse(err, error);
    RecordSet machines, usage;
    if (!OpenRecordset(connection, QStringLiteral("select * from T_DNC_MACHINES order by MACHINE_ID"), {},
                       &machines, &error)
        || !OpenRecordset(connection, QStringLiteral("select MACHINE_ID, count(distinct lower(PC_NAME)) from T_DNC_MPPC "
                                                     "group by MACHINE_ID"), {}, &usage, &error))
        return Refuse(err, QStringLiteral("Cannot read the machines: %1").arg(error.simplified()));
    QHash<QString, int> stationCounts;
    for (int i = 0; i < usage.count(); ++i)
        stationCounts.insert(usage.value(i, 0).toString(), usage.value(i, 1).toInt());
    if (machines.isEmpty())
        out << "No machines in " << DatabaseDisplayName(args.at(0)) << Qt::endl;
    for (int i = 0; i < machines.count(); ++i) {
        StationRowReader r(machines, i);
        const int id = r.requiredInt(QStringLiteral("MACHINE_ID"));
        const QString number = r.requiredText(QStringLiteral("MACHINE_NUMBER"));
        const QString name = r.requiredText(QStringLiteral("MACHINE_NAME"));
        const QString address = r.requiredText(QStringLiteral("IP_ADDRESS"));
        const int port = r.requiredInt(QStringLiteral("PORT"));
        const int icon = r.requiredInt(QStringLiteral("ICON_INDEX"));
        if (!r.ok()) {
            out << "(a row that cannot be read: " << EscapeControlCharacters(r.error()) << ")" << Qt::endl;
            continue;
        }
        const int stations = stationCounts.value(QString::number(id));
        out << id << "  " << EscapeControlCharacters(number) << "  " << EscapeControlCharacters(name) << "  "
            << EscapeControlCharacters(address) << ':' << port << "  icon " << icon << "  "
            << stations << (stations == 1 ? " station" : " stations") << Qt::endl;
    }
    return ExitOk;
}

int AddMachine(const QStringList &args, QTextStream &out, QTextStream &err)
{
    MachineCommand command;
    if (const int status = ParseOrRefuse(args, true, false, kAddUsage, &command, err))
        return status;
    QMap<QString, QVariant> values{{QStringLiteral("ICON_INDEX"), 1}};
    for (const auto &[column, value] : command.values)
        values.insert(column, value);
    QStringList missing;
    for (const auto &[option, column] : OptionColumns()) {
        if (!values.contains(column))
            missing << option;
    }
    if (!missing.isEmpty())
        return RefuseUsage(err, QStringLiteral("a new machine needs %1.").arg(missing.join(QStringLiteral(", "))), kAddUsage);

    DatabaseChange change;
    QString error;
    if (!BeginChange(command.database, true, change, &error))
        return Refuse(err, error);
    QVariant existing;
    if (!FindMachine(change.connection(), command.id, &existing, &error))
        return Refuse(err, QStringLiteral("Cannot read T_DNC_MACHINES: %1").arg(error.simplified()));
    if (existing.isValid())
        return Refuse(err, QStringLiteral("MACHINE_ID: %1 exists already (%2); nothing was added.")
                               .arg(command.id).arg(EscapeControlCharacters(existing.toString())));
    QVariantList bound{command.id};
    for (const auto &[option, column] : OptionColumns())
        bound << values.value(column);
    if (!ExecStatement(change.connection(),
                       QStringLiteral("insert into T_DNC_MACHINES (MACHINE_ID, MACHINE_NUMBER, MACHINE_NAME, "
                                      "IP_ADDRESS, PORT, ICON_INDEX) values (?, ?, ?, ?, ?, ?)"),
                       bound, &error))
        return Refuse(err, QStringLiteral("Cannot add the machine: %1").arg(error.simplified()));
    if (!change.commit(&error))
        return Refuse(err, error);
    Warn(err, command.warnings);
    out << "Added machine " << command.id << " to " << DatabaseDisplayName(command.database) << Qt::endl;
    return ExitOk;
}

int SetMachine(const QStringList &args, QTextStream &out, QTextStream &err)
{
    MachineCommand command;
    if (const int status = ParseOrRefuse(args, true, false, kSetUsage, &command, err))
        return status;
    if (command.values.isEmpty())
        return RefuseUsage(err, QStringLiteral("nothing to change."), kSetUsage);
    DatabaseChange change;
    QString error;
    if (!BeginChange(command.database, false, change, &error))
        return Refuse(err, error);
    QVariant existing;
    if (!FindMachine(change.connection(), command.id, &existing, &error))
        return Refuse(err, QStringLiteral("Cannot read T_DNC_MACHINES: %1").arg(error.simplified()));
    if (!existing.isValid())
        return Refuse(err, QStringLiteral("MACHINE_ID: there is no machine %1.").arg(command.id));
    QStringList assignments;
    QVariantList bound;
    for (const auto &[column, value] : command.values) {
        assignments << column + QStringLiteral(" = ?");
        bound << value;
    }
    bound << command.id;
    if (!ExecStatement(change.connection(),
                       QStringLiteral("update T_DNC_MACHINES set %1 where MACHINE_ID = ?").arg(assignments.join(QStringLiteral(", "))),
                       bound, &error))
        return Refuse(err, QStringLiteral("Cannot change the machine: %1").arg(error.simplified()));
    if (!change.commit(&error))
        return Refuse(err, error);
    Warn(err, command.warnings);
    out << "Changed machine " << command.id << Qt::endl;
    return ExitOk;
}

int RemoveMachine(const QStringList &args, QTextStream &out, QTextStream &err)
{
    MachineCommand command;
    if (const int status = ParseOrRefuse(args, false, true, kRemoveUsage, &command, err))
        return status;
    DatabaseChange change;
    QString error;
    if (!BeginChange(command.database, false, change, &error))
        return Refuse(err, error);
    QVariant existing;
    QStringList stations;
    int rowCount = 0;
    if (!FindMachine(change.connection(), command.id, &existing, &error)
        || !StationsUsing(change.connection(), command.id, &stations, &rowCount, &error))
        return Refuse(err, QStringLiteral("Cannot read the tables: %1").arg(error.simplified()));
    if (!existing.isValid())
        return Refuse(err, QStringLiteral("MACHINE_ID: there is no machine %1.").arg(command.id));
    if (rowCount > 0 && !command.force)
        return Refuse(err, QStringLiteral("MACHINE_ID: machine %1 is used by %2 (%3 in T_DNC_MPPC); nothing was "
                                          "removed. Add --force to remove those rows too.")
                               .arg(command.id)
                               .arg((stations.size() == 1 ? QStringLiteral("the station ") : QStringLiteral("the stations "))
                                    + stations.join(QStringLiteral(", ")))
                               .arg(rowCount == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(rowCount)));
    if (!ExecStatement(change.connection(), QStringLiteral("delete from T_DNC_MPPC where MACHINE_ID = ?"), {command.id}, &error)
        || !ExecStatement(change.connection(), QStringLiteral("delete from T_DNC_MACHINES where MACHINE_ID = ?"), {command.id}, &error))
        return Refuse(err, QStringLiteral("Cannot remove the machine: %1").arg(error.simplified()));
    if (!change.commit(&error))
        return Refuse(err, error);
    out << "Removed machine " << command.id;
    if (rowCount > 0)
        out << " and its " << rowCount << (rowCount == 1 ? " station row" : " station rows");
    out << Qt::endl;
    return ExitOk;
}
