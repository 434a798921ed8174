#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// What the station did or refused.
enum class JournalAction { Send, Receive, Edit, View };
enum class JournalOutcome {
    Sent,           // the request line left and the connection closed
    Refused,        // the station refused it (messageId and reason say why)
    NotConnected,   // no connection to the DNC server
    ClosedEarly,    // connected, but the line did not all leave
    EditorStarted,
    EditorFailed,
};

// One request of the station. Names are kept as they are; the line format
// escapes what needs escaping. No password and no file content ever goes in.
struct JournalEntry {
    QString id;                  // unique; ties a later database note to the entry
    QDateTime time;              // UTC, to the millisecond
    int utcOffsetSeconds = 0;    // the station's local offset at that time
    QString station;             // station key
    bool userMode = false;       // keyed by the user (-USER) instead of the computer
    QString login;               // the session's login name
    int machineId = 0;
    QString machineNumber;
    QString machineName;
    QString address;
    int port = 0;
    JournalAction action = JournalAction::Send;
    QString command;             // the remote command; empty for Edit and View
    QString path;                // the full path
    // A send's file at the moment of sending; fileError when it could not be read.
    std::optional<qint64> size;
    QDateTime modified;          // UTC
    QString sha256;              // lower-case hex
    QString fileError;
    JournalOutcome outcome = JournalOutcome::Sent;
    int messageId = 0;           // string-table entry of a refusal, 0 for none
    QString reason;
    // Filled by the reader from a later note: why the database copy failed.
    QString databaseError;
};

QString JournalActionName(JournalAction action);
std::optional<JournalAction> JournalActionFromName(const QString &name);
QString JournalOutcomeName(JournalOutcome outcome);
std::optional<JournalOutcome> JournalOutcomeFromName(const QString &name);

// A new entry stamped now: id, UTC time and local offset.
JournalEntry NewJournalEntry(const QDateTime &now = QDateTime::currentDateTime());

// The local offset as "+01:00" / "-05:30", and back (0 for anything else).
QString UtcOffsetText(int seconds);
int UtcOffsetSeconds(const QString &text);
// A time as the journal writes it: UTC, to the millisecond, one width
// ("2026-12-07T13:03:22.125Z"), so that texts sort as the times do; and back.
QString JournalTimeText(const QDateTime &time);
QDateTime JournalTimeFromText(const QString &text);

// One JSON object on one line, ending in '\n'. Control characters inside
// texts are written as \u escapes, so a name can never start a second line.
QByteArray JournalLine(const JournalEntry &entry);
// The line written when the database copy of entry `id` failed.
QByteArray DatabaseFailureLine(const QString &id, const QString &error,
                               const QDateTime &now = QDateTime::currentDateTimeUtc());

// A parsed line: an entry, or a note about an earlier entry.
struct JournalRecord {
    std::optional<JournalEntry> entry;
    QString noteId;      // set for a database note
    QString noteError;
};
// Empty for a line that is no journal record (a torn or foreign line).
std::optional<JournalRecord> ParseJournalLine(const QByteArray &line);

// The columns of listings, CSV files and the database table, in order, and
// an entry's values for them (empty text for what it does not have).
QStringList JournalColumns();
QStringList JournalValues(const JournalEntry &entry);
