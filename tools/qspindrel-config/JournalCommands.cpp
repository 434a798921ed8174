#include "JournalCommands.h"

#include "Commands.h"
#include "CsvFormat.h"
#include "DatabaseChange.h"
#include "FileFingerprint.h"
#include "JournalFiles.h"
#include "JournalFilter.h"
#include "JournalTable.h"
#include "PrintableText.h"
#include "clsAccessDBConnection.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

int Fail(QTextStream &err, const QString &message)
{
    err << "qspindrel-config: " << EscapeControlCharacters(message) << Qt::endl;
    return ExitFailed;
}

int Usage(QTextStream &err, const QString &message)
{
    err << "qspindrel-config: " << EscapeControlCharacters(message) << Qt::endl;
    return ExitUsage;
}

// Where the entries come from: the database table, or a folder of files
// (the user's own journal unless one is named).
struct JournalSource {
    QString database;
    QString folder;
};

bool ReadSource(const JournalSource &source, const JournalFilter &filter, QList<JournalEntry> *entries,
                QString *error)
{
    if (!source.database.isEmpty()) {
        const QString shown = DatabaseDisplayName(source.database);
        if (DatabaseBackendForPath(source.database) == DbBackend::Sqlite && !QFileInfo(source.database).isFile()) {
            *error = QStringLiteral("%1 does not exist.").arg(source.database);
            return false;
        }
        clsAccessDBConnection connection;
        connection.setDatabase(source.database);
        if (!connection.Connect()) {
            *error = QStringLiteral("Cannot open the database %1: %2").arg(shown, LastDatabaseError(connection));
            return false;
        }
        QString why;
        if (!ReadJournalTable(connection, filter, entries, &why)) {
            *error = QStringLiteral("Cannot read %1 in %2 (make it with journal-table): %3")
                         .arg(JournalTableName(), shown, why.simplified());
            return false;
        }
        return true;
    }
    const QString folder = source.folder.isEmpty() ? DefaultJournalFolder() : source.folder;
    if (!QFileInfo(folder).isDir()) {
        *error = QStringLiteral("There is no journal in %1 (each user of a station has their own).").arg(folder);
        return false;
    }
    QList<JournalEntry> all;
    if (!ReadJournalFolder(folder, &all, error))
        return false;
    *entries = FilterJournal(all, filter);
    return true;
}

// "--since=2026-12-07" as "--since" "2026-12-07", as the other commands take it.
QStringList SplitOptionValues(const QStringList &args)
{
    QStringList split;
    for (const QString &a : args) {
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        if (a.startsWith(QLatin1String("--")) && eq > 2)
            split << a.left(eq) << a.mid(eq + 1);
        else
            split << a;
    }
    return split;
}

// Takes "--db DB" or "--folder DIR" at `i`; false when the argument is neither.
bool TakeSource(const QStringList &args, int &i, JournalSource *source, QString *error)
{
    const QString &a = args.at(i);
    if (a != QLatin1String("--db") && a != QLatin1String("--folder"))
        return false;
    if (i + 1 >= args.size()) {
        *error = QStringLiteral("%1 needs a value.").arg(a);
        return true;
    }
    (a == QLatin1String("--db") ? source->database : source->folder) = args.at(++i);
    return true;
}

QString LocalTime(const QDateTime &utc, int offsetSeconds)
{
    return utc.toOffsetFromUtc(offsetSeconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) +
           UtcOffsetText(offsetSeconds);
}

} // namespace

QString JournalListingLine(const JournalEntry &e)
{
    QStringList parts;
    parts << LocalTime(e.time, e.utcOffsetSeconds);
    parts << e.station + (e.userMode ? QStringLiteral(" (user)") : QString());
    parts << e.login;
    parts << QStringLiteral("%1 %2 %3 %4:%5")
                 .arg(QString::number(e.machineId), e.machineNumber, e.machineName, e.address, QString::number(e.port));
    parts << JournalActionName(e.action);
    parts << (e.command.isEmpty() ? e.path : e.command + QLatin1Char(' ') + e.path);
    QString outcome = JournalOutcomeName(e.outcome);
    if (e.messageId)
        outcome += QLatin1Char(' ') + QString::number(e.messageId);
    if (!e.reason.isEmpty())
        outcome += QStringLiteral(": ") + e.reason;
    parts << outcome;
    if (e.size)
        parts << QStringLiteral("%1 bytes, modified %2, sha256 %3")
                     .arg(QString::number(*e.size),
                          e.modified.isValid() ? LocalTime(e.modified, e.utcOffsetSeconds) : QStringLiteral("?"),
                          e.sha256);
    if (!e.fileError.isEmpty())
        parts << QStringLiteral("file not read: ") + e.fileError;
    if (!e.databaseError.isEmpty())
        parts << QStringLiteral("database copy failed: ") + e.databaseError;
    return parts.join(QStringLiteral("  "));
}

int ListJournal(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QStringList args = SplitOptionValues(arguments);
    JournalFilter filter;
    JournalSource source;
    bool csv = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        QString error;
        if (TakeSource(args, i, &source, &error)) {
            if (!error.isEmpty())
                return Usage(err, error);
            continue;
        }
        if (a == QLatin1String("--csv")) {
            csv = true;
            continue;
        }
        const bool since = a == QLatin1String("--since"), until = a == QLatin1String("--until");
        if (!since && !until && a != QLatin1String("--machine") && a != QLatin1String("--station"))
            return Usage(err, QStringLiteral("journal: unknown option %1.").arg(a));
        if (i + 1 >= args.size())
            return Usage(err, QStringLiteral("journal: %1 needs a value.").arg(a));
        const QString value = args.at(++i);
        if (since || until) {
            const QDateTime time = ParseJournalTime(value, until);
            if (!time.isValid())
                return Usage(err, QStringLiteral("journal: %1 is no time; write 2026-12-07 or 2026-12-07T14:03:22.")
                                      .arg(value));
            (since ? filter.since : filter.until) = time;
        } else {
            (a == QLatin1String("--machine") ? filter.machine : filter.station) = value;
        }
    }
    QList<JournalEntry> entries;
    QString error;
    if (!ReadSource(source, filter, &entries, &error))
        return Fail(err, error);
    if (csv) {
        QList<CsvOutField> header;
        for (const QString &c : JournalColumns())
            header.append({c, false});
        out << QString::fromUtf8(CsvLine(header));
        for (const JournalEntry &e : std::as_const(entries)) {
            QList<CsvOutField> fields;
            for (const QString &v : JournalValues(e))
                fields.append({EscapeControlCharacters(v), v.isEmpty()});
            out << QString::fromUtf8(CsvLine(fields));
        }
        return ExitOk;
    }
    for (const JournalEntry &e : std::as_const(entries))
        out << EscapeControlCharacters(JournalListingLine(e)) << Qt::endl;
    return ExitOk;
}

int VerifyJournal(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QStringList args = SplitOptionValues(arguments);
    JournalSource source;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        QString error;
        if (TakeSource(args, i, &source, &error)) {
            if (!error.isEmpty())
                return Usage(err, error);
            continue;
        }
        files << args.at(i);
    }
    if (files.isEmpty())
        return Usage(err, QStringLiteral("journal-verify: name at least one program file."));
    QList<JournalEntry> entries;
    QString error;
    if (!ReadSource(source, JournalFilter(), &entries, &error))
        return Fail(err, error);
    // The station's paths may be Windows paths.
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    int status = ExitOk;
    for (const QString &file : std::as_const(files)) {
        const FileFingerprint fp = ComputeFileFingerprint(file);
        if (fp.sha256.isEmpty()) {
            err << "qspindrel-config: " << EscapeControlCharacters(QStringLiteral("%1 cannot be read: %2").arg(file, fp.error))
                << Qt::endl;
            status = ExitFailed;
            continue;
        }
        const QString name = QFileInfo(file).fileName();
        QList<JournalEntry> same, sameName;
        for (const JournalEntry &e : std::as_const(entries)) {
            if (e.sha256.isEmpty())
                continue;
            if (e.sha256 == fp.sha256)
                same << e;
            else if (e.path.section(separators, -1).compare(name, Qt::CaseInsensitive) == 0)
                sameName << e;
        }
        QString verdict;
        if (!same.isEmpty()) {
            verdict = QStringLiteral("matches %1 request(s); the last: %2").arg(same.size()).arg(JournalListingLine(same.last()));
        } else {
            status = ExitFailed;
            verdict = sameName.isEmpty()
                          ? QStringLiteral("no request in the journal has this content")
                          : QStringLiteral("DIFFERS from what was sent as %1; the last: %2")
                                .arg(name, JournalListingLine(sameName.last()));
        }
        out << EscapeControlCharacters(QStringLiteral("%1  sha256 %2  %3").arg(file, fp.sha256, verdict)) << Qt::endl;
    }
    return status;
}

int CreateJournalTableCommand(const QStringList &args, QTextStream &out, QTextStream &err)
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
    if (!CreateJournalTable(connection, &error))
        return Fail(err, QStringLiteral("Cannot create %1 in %2: %3").arg(JournalTableName(), shown, error.simplified()));
    out << EscapeControlCharacters(QStringLiteral("%1 ready in %2").arg(JournalTableName(), shown)) << Qt::endl;
    return ExitOk;
}
