#include "JournalEntry.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace {

const char *const kActions[] = {"send", "receive", "edit", "view"};
const char *const kOutcomes[] = {"sent", "refused", "not-connected", "closed-early", "editor-started",
                                 "editor-failed"};

template <typename E, size_t N>
std::optional<E> FromName(const char *const (&names)[N], const QString &name)
{
    for (size_t i = 0; i < N; ++i)
        if (name == QLatin1String(names[i]))
            return E(i);
    return std::nullopt;
}

// Qt's writer escapes C0 controls only; DEL, C1 controls, the line and
// paragraph separators and format characters (direction overrides) would act
// on a terminal or an editor that shows the file. They only occur inside
// JSON strings, where \u escapes are valid.
QByteArray EscapeInvisible(const QByteArray &json)
{
    const QString text = QString::fromUtf8(json);
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x7f || (u >= 0x80 && u <= 0x9f) || u == 0x2028 || u == 0x2029
            || c.category() == QChar::Other_Format)
            out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out.toUtf8();
}

} // namespace

QString JournalActionName(JournalAction action)
{
    return QLatin1String(kActions[int(action)]);
}

std::optional<JournalAction> JournalActionFromName(const QString &name)
{
    return FromName<JournalAction>(kActions, name);
}

QString JournalOutcomeName(JournalOutcome outcome)
{
    return QLatin1String(kOutcomes[int(outcome)]);
}

std::optional<JournalOutcome> JournalOutcomeFromName(const QString &name)
{
    return FromName<JournalOutcome>(kOutcomes, name);
}

JournalEntry NewJournalEntry(const QDateTime &now)
{
    JournalEntry entry;
    entry.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    entry.time = now.toUTC();
    entry.utcOffsetSeconds = now.offsetFromUtc();
    return entry;
}

QString JournalTimeText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime JournalTimeFromText(const QString &text)
{
    const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    return time.isValid() ? time.toUTC() : QDateTime();
}

int UtcOffsetSeconds(const QString &text)
{
    if (text.size() != 6 || (text[0] != u'+' && text[0] != u'-') || text[3] != u':')
        return 0;
    const int seconds = text.mid(1, 2).toInt() * 3600 + text.mid(4, 2).toInt() * 60;
    return text[0] == u'-' ? -seconds : seconds;
}

QString UtcOffsetText(int seconds)
{
    const int minutes = qAbs(seconds) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray JournalLine(const JournalEntry &e)
{
    QJsonObject o{
        {QStringLiteral("id"), e.id},
        {QStringLiteral("time"), JournalTimeText(e.time)},
        {QStringLiteral("utcOffset"), UtcOffsetText(e.utcOffsetSeconds)},
        {QStringLiteral("station"), e.station},
        {QStringLiteral("mode"), e.userMode ? QStringLiteral("user") : QStringLiteral("station")},
        {QStringLiteral("login"), e.login},
        {QStringLiteral("machineId"), e.machineId},
        {QStringLiteral("machineNumber"), e.machineNumber},
        {QStringLiteral("machineName"), e.machineName},
        {QStringLiteral("address"), e.address},
        {QStringLiteral("port"), e.port},
        {QStringLiteral("action"), JournalActionName(e.action)},
        {QStringLiteral("command"), e.command},
        {QStringLiteral("path"), e.path},
        {QStringLiteral("outcome"), JournalOutcomeName(e.outcome)},
    };
    if (e.size)
        o.insert(QStringLiteral("size"), double(*e.size));
    if (e.modified.isValid())
        o.insert(QStringLiteral("modified"), JournalTimeText(e.modified));
    if (!e.sha256.isEmpty())
        o.insert(QStringLiteral("sha256"), e.sha256);
    if (!e.fileError.isEmpty())
        o.insert(QStringLiteral("fileError"), e.fileError);
    if (e.messageId)
        o.insert(QStringLiteral("messageId"), e.messageId);
    if (!e.reason.isEmpty())
        o.insert(QStringLiteral("reason"), e.reason);
    return EscapeInvisible(QJsonDocument(o).toJson(QJsonDocument::Compact)) + '\n';
}

QByteArray DatabaseFailureLine(const QString &id, const QString &error, const QDateTime &now)
{
    const QJsonObject o{{QStringLiteral("note"), QStringLiteral("database-failed")},
                        {QStringLiteral("id"), id},
                        {QStringLiteral("time"), JournalTimeText(now)},
                        {QStringLiteral("reason"), error}};
    return EscapeInvisible(QJsonDocument(o).toJson(QJsonDocument::Compact)) + '\n';
}

std::optional<JournalRecord> ParseJournalLine(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject o = document.object();
    auto text = [&o](const char *key) { return o.value(QLatin1String(key)).toString(); };
    JournalRecord record;
    if (o.contains(QLatin1String("note"))) {
        if (text("note") != QLatin1String("database-failed") || text("id").isEmpty())
            return std::nullopt;
        record.noteId = text("id");
        record.noteError = text("reason");
        return record;
    }
    const auto action = JournalActionFromName(text("action"));
    const auto outcome = JournalOutcomeFromName(text("outcome"));
    JournalEntry e;
    e.id = text("id");
    e.time = JournalTimeFromText(text("time"));
    if (!action || !outcome || e.id.isEmpty() || !e.time.isValid())
        return std::nullopt;
    e.action = *action;
    e.outcome = *outcome;
    e.utcOffsetSeconds = UtcOffsetSeconds(text("utcOffset"));
    e.station = text("station");
    e.userMode = text("mode") == QLatin1String("user");
    e.login = text("login");
    e.machineId = o.value(QLatin1String("machineId")).toInt();
    e.machineNumber = text("machineNumber");
    e.machineName = text("machineName");
    e.address = text("address");
    e.port = o.value(QLatin1String("port")).toInt();
    e.command = text("command");
    e.path = text("path");
    if (o.contains(QLatin1String("size")))
        e.size = qint64(o.value(QLatin1String("size")).toDouble());
    e.modified = JournalTimeFromText(text("modified"));
    e.sha256 = text("sha256");
    e.fileError = text("fileError");
    e.messageId = o.value(QLatin1String("messageId")).toInt();
    e.reason = text("reason");
    record.entry = e;
    return record;
}

QStringList JournalColumns()
{
    return {QStringLiteral("ENTRY_ID"),     QStringLiteral("REQUEST_TIME"),   QStringLiteral("UTC_OFFSET"),
            QStringLiteral("STATION_KEY"),  QStringLiteral("STATION_MODE"),   QStringLiteral("LOGIN_NAME"),
            QStringLiteral("MACHINE_ID"),   QStringLiteral("MACHINE_NUMBER"), QStringLiteral("MACHINE_NAME"),
            QStringLiteral("IP_ADDRESS"),   QStringLiteral("PORT"),           QStringLiteral("ACTION"),
            QStringLiteral("REMOTE_CMD"),   QStringLiteral("FULL_PATH"),      QStringLiteral("FILE_SIZE"),
            QStringLiteral("FILE_MODIFIED"), QStringLiteral("SHA256"),        QStringLiteral("FILE_ERROR"),
            QStringLiteral("OUTCOME"),      QStringLiteral("MESSAGE_ID"),     QStringLiteral("REASON"),
            QStringLiteral("DATABASE_ERROR")};
}

QStringList JournalValues(const JournalEntry &e)
{
    return {e.id,
            JournalTimeText(e.time),
            UtcOffsetText(e.utcOffsetSeconds),
            e.station,
            e.userMode ? QStringLiteral("user") : QStringLiteral("station"),
            e.login,
            QString::number(e.machineId),
            e.machineNumber,
            e.machineName,
            e.address,
            QString::number(e.port),
            JournalActionName(e.action),
            e.command,
            e.path,
            e.size ? QString::number(*e.size) : QString(),
            JournalTimeText(e.modified),
            e.sha256,
            e.fileError,
            JournalOutcomeName(e.outcome),
            e.messageId ? QString::number(e.messageId) : QString(),
            e.reason,
            e.databaseError};
}
