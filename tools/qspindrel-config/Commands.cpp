#include "Commands.h"

#include "ConfigSchema.h"
#include "ConfigToolSystem.h"
#include "DBAssist.h"
#include "DatabaseChange.h"
#include "DemoInstall.h"
#include "JournalCommands.h"
#include "JournalTable.h"
#include "MdbImport.h"
#include "Platform.h"
#include "PrintableText.h"
#include "StationTables.h"
#include "TableCommands.h"
#include "clsAccessDBConnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const char *const kUsage =
    "Usage: qspindrel-config COMMAND ARGUMENTS\n"
    "\n"
    "  init DB                  create the station tables and the journal table in DB\n"
    "  demo DIR                 make a demo installation in DIR (new or empty)\n"
    "  import-mdb FILE.mdb DB   copy T_DNC_MACHINES and T_DNC_MPPC from an Access\n"
    "                           file into DB (a new SQLite file or empty tables)\n"
    "  stations DB              list the station keys and their machines\n"
    "  set-editor PATH          make PATH the program editor of every station here\n"
    "  machines DB              list the machines\n"
    "  machine-add DB ID --number N --name NAME --address HOST --port PORT [--icon 1-31]\n"
    "  machine-set DB ID [--number N] [--name NAME] [--address HOST] [--port PORT] [--icon 1-31]\n"
    "  machine-remove DB ID [--force]   --force also removes the stations' rows of it\n"
    "  export-csv DB TABLE FILE [--spreadsheet]\n"
    "                           write T_DNC_MACHINES or T_DNC_MPPC to a CSV file;\n"
    "                           --spreadsheet: no cell is run as a formula\n"
    "  import-csv DB TABLE FILE [--spreadsheet]\n"
    "                           add the rows of a CSV file (with a header row);\n"
    "                           --spreadsheet: a file written so\n"
    "  copy-station DB FROM TO  give station TO exactly the rows of station FROM\n"
    "  journal [--since TIME] [--until TIME] [--machine ID] [--station KEY] [--csv]\n"
    "          [--db DB | --folder DIR]\n"
    "                           list the requests of your journal (or of DB's table)\n"
    "  journal-verify FILE... [--db DB | --folder DIR]\n"
    "                           tell whether each program's content was sent\n"
    "  journal-table DB         create the journal table T_DNC_JOURNAL in DB\n"
    "\n"
    "DB is an SQLite file or a postgresql://user@host:port/dbname URL. TIME is\n"
    "2026-12-07, 2026-12-07T14:03 or 2026-12-07T14:03:22, local unless it ends in Z\n"
    "or +01:00; --until includes the day, minute or second it names.\n";

struct Command {
    const char *name;
    int argumentCount; // -1: at least two, -2: any; the command checks the rest
    int (*run)(const QStringList &arguments, QTextStream &out, QTextStream &err);
};

int Fail(QTextStream &err, const QString &message)
{
    err << "qspindrel-config: " << EscapeControlCharacters(message) << Qt::endl;
    return ExitFailed;
}

// One line of a listing: a name from the database must not act on the terminal.
void PrintLine(QTextStream &out, const QString &line)
{
    out << EscapeControlCharacters(line) << Qt::endl;
}

int Init(const QStringList &args, QTextStream &out, QTextStream &err)
{
    DatabaseChange change;
    QString error;
    if (!change.begin(args.at(0), false, &error))
        return Fail(err, error);
    const bool created = change.createsFile();
    if (!AddJournalTable(change.connection(), &error))
        return Fail(err, QStringLiteral("Cannot create %1: %2").arg(JournalTableName(), error.simplified()));
    if (!change.commit(&error))
        return Fail(err, error);
    PrintLine(out, (created ? QStringLiteral("Created ") : QStringLiteral("Tables ready in "))
                       + DatabaseDisplayName(args.at(0)));
    return ExitOk;
}

QString EditorStandIn()
{
    const QString name = ProgramFileName(QStringLiteral("qspindrel-edit"));
    return QDir::toNativeSeparators(QDir(QCoreApplication::applicationDirPath()).filePath(name));
}

int Demo(const QStringList &args, QTextStream &out, QTextStream &err)
{
    DemoOptions options;
    options.directory = args.at(0);
    options.editorPath = EditorStandIn();
    options.computerKey = GetPCName();
    options.userKey = GetSessionUserName();
    const DemoResult result = CreateDemoInstallation(options);
    if (!result.ok)
        return Fail(err, result.error);
    for (const QString &note : result.notes)
        err << "qspindrel-config: " << EscapeControlCharacters(note) << Qt::endl;
    out << "Demo installation made in " << EscapeControlCharacters(QDir(args.at(0)).absolutePath()) << Qt::endl
        << "Station keys: " << EscapeControlCharacters(options.computerKey) << " (computer), "
        << EscapeControlCharacters(options.userKey) << " (user, -USER)" << Qt::endl;
    return ExitOk;
}

int ImportMdb(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString error;
    const auto tables = ReadMdbStationTables(args.at(0), &error);
    if (!tables)
        return Fail(err, error);
    QStringList notes;
    if (!ImportStationTables(*tables, args.at(1), &notes, &error))
        return Fail(err, error);
    for (const QString &note : notes)
        err << "qspindrel-config: " << EscapeControlCharacters(note) << Qt::endl;
    out << "Copied " << tables->machines.rows.size() << " machines and " << tables->mppc.rows.size()
        << " station rows into " << EscapeControlCharacters(DatabaseDisplayName(args.at(1))) << Qt::endl;
    return ExitOk;
}

QString Code(const QString &text, int code)
{
    return text.isEmpty() ? QString::number(code) : text;
}

int Stations(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString path = args.at(0);
    const QString shown = DatabaseDisplayName(path);
    if (DatabaseBackendForPath(path) == DbBackend::Sqlite && !QFileInfo(path).isFile())
        return Fail(err, QStringLiteral("%1 does not exist.").arg(path));
    clsAccessDBConnection connection;
    connection.setDatabase(path);
    if (!connection.Connect())
        return Fail(err, QStringLiteral("Cannot open the database %1: %2").arg(shown, LastDatabaseError(connection)));
    QString error;
    if (!HasConfigTables(connection, &error))
        return Fail(err, QStringLiteral("%1 has no station tables (%2).").arg(shown, error.simplified()));
    RecordSet keys;
    if (!OpenRecordset(connection, QStringLiteral("select distinct PC_NAME from T_DNC_MPPC order by PC_NAME"),
                       {}, &keys, &error))
        return Fail(err, QStringLiteral("Cannot read T_DNC_MPPC: %1").arg(error.simplified()));
    QStringList listed;
    for (int i = 0; i < keys.count(); ++i) {
        const QVariant key = keys.value(i, 0);
        if (key.isNull())
            continue;
        // The readers ignore case: "Host" and "HOST" are one station.
        if (listed.contains(key.toString(), Qt::CaseInsensitive))
            continue;
        listed << key.toString();
        const LoadResult<MachineAssignment> machines = LoadStationMachines(connection, key.toString());
        PrintLine(out, key.toString());
        if (!machines.ok) {
            PrintLine(out, QStringLiteral("  (cannot read its machines: ") + machines.error + QLatin1Char(')'));
            continue;
        }
        if (machines.rows.isEmpty())
            PrintLine(out, QStringLiteral("  (no existing machines)"));
        for (const MachineAssignment &m : machines.rows) {
            PrintLine(out, QStringList{QString(), QString::number(m.MACHINE_ID), m.MACHINE_NUMBER, m.MACHINE_NAME,
                                       m.IP_ADDRESS + QLatin1Char(':') + QString::number(m.PORT),
                                       Code(CmdTypeText(m.CMD_TYPE), m.CMD_TYPE) + QStringLiteral(", ")
                                           + Code(EditModeText(m.EDIT_MODE), m.EDIT_MODE)}
                               .join(QStringLiteral("  ")));
        }
    }
    if (listed.isEmpty())
        PrintLine(out, QStringLiteral("No stations in %1").arg(shown));
    return ExitOk;
}

int SetEditor(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString editor = QDir::toNativeSeparators(QFileInfo(args.at(0)).absoluteFilePath());
    if (!QFileInfo(editor).isFile())
        return Fail(err, QStringLiteral("%1 is not a file.").arg(editor));
    QString note;
    if (!SetEditorPath(editor, &note))
        return Fail(err, note);
    PrintLine(out, QStringLiteral("The stations' editor is now %1").arg(editor));
    return ExitOk;
}

const Command kCommands[] = {
    {"init", 1, Init},
    {"demo", 1, Demo},
    {"import-mdb", 2, ImportMdb},
    {"stations", 1, Stations},
    {"set-editor", 1, SetEditor},
    {"machines", 1, ListMachines},
    {"machine-add", -1, AddMachine},
    {"machine-set", -1, SetMachine},
    {"machine-remove", -1, RemoveMachine},
    {"export-csv", -1, ExportCsv},
    {"import-csv", -1, ImportCsv},
    {"copy-station", 3, CopyStation},
    {"journal", -2, ListJournal},
    {"journal-verify", -2, VerifyJournal},
    {"journal-table", 1, CreateJournalTableCommand},
};

} // namespace

int RunCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() == 1 && (arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("-h"))) {
        out << kUsage;
        return ExitOk;
    }
    if (arguments.isEmpty()) {
        err << kUsage;
        return ExitUsage;
    }
    for (const Command &command : kCommands) {
        if (arguments.first() != QLatin1String(command.name))
            continue;
        const QStringList rest = arguments.mid(1);
        const bool atLeast = command.argumentCount < 0;
        const int needed = command.argumentCount == -2 ? 0 : atLeast ? 2 : command.argumentCount;
        if (atLeast ? rest.size() < needed : rest.size() != needed) {
            err << "qspindrel-config: " << command.name << " takes " << (atLeast ? "at least " : "") << needed
                << (needed == 1 ? " argument" : " arguments") << ", not " << rest.size()
                << ".\n\n" << kUsage;
            return ExitUsage;
        }
        for (const QString &argument : rest) {
            if (argument.isEmpty()) {
                err << "qspindrel-config: " << command.name << ": an empty argument.\n";
                return ExitUsage;
            }
        }
        return command.run(rest, out, err);
    }
    err << "qspindrel-config: unknown command " << EscapeControlCharacters(arguments.first()) << ".\n\n" << kUsage;
    return ExitUsage;
}
