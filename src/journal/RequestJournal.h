#pragma once

#include "FileFingerprint.h"
#include "JournalEntry.h"
#include "JournalSettings.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

// The station's journal of requests. Nothing here blocks or delays the
// caller: a send's fingerprint is computed on a private pool, the lines are
// written on a thread of their own, and the database copy is made on another
// after the line, so a file share or a database server that does not answer
// holds up neither the request nor the window.
//
//     const quint64 t = journal->begin(entry);  // just before the request starts
//     ...                                       // the request runs
//     journal->finish(t, JournalOutcome::Sent); // the line follows once the fingerprint is in
//     journal->record(refusal);                 // an entry that is complete as it is
class RequestJournal : public QObject
{
    Q_OBJECT
public:
    // Makes the database copy of one entry; called on the journal's database
    // thread, never on the caller's. False with the reason on failure.
    using DatabaseWriter = std::function<bool(const JournalEntry &entry, QString *error)>;

    static constexpr int DefaultCloseWaitMs = 3000;

    explicit RequestJournal(QObject *parent = nullptr, int closeWaitMs = DefaultCloseWaitMs);
    // Writes what is still pending (a fingerprint not in yet is noted as such)
    // and waits at most closeWaitMs for the writes.
    ~RequestJournal() override;

    void configure(const JournalSettings &settings, const QString &folder);
    void setDatabaseWriter(DatabaseWriter writer);
    bool isEnabled() const { return m_settings.enabled && !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }

    // A request about to start; for a send the file's fingerprint is taken
    // now. Returns the ticket for finish(), 0 when the journal is off.
    quint64 begin(const JournalEntry &entry);
    void finish(quint64 ticket, JournalOutcome outcome, int messageId = 0, const QString &reason = QString());
    // An entry complete as it is: a refusal, the editor.
    void record(const JournalEntry &entry);

    // Entries begun whose line has not been handed to the writer yet.
    int pendingCount() const { return int(m_pending.size()); }
    // Waits until every line handed over is written and every database copy
    // made or noted as failed.
    static bool waitForWrites(int timeoutMs);

private:
    struct Pending {
        JournalEntry entry;
        bool awaitingFingerprint = false;
        bool finished = false;
    };
    void fingerprintReady(quint64 ticket, const FileFingerprint &fingerprint);
    void write(const JournalEntry &entry);

    JournalSettings m_settings;
    QString m_folder;
    DatabaseWriter m_databaseWriter;
    QHash<quint64, Pending> m_pending;
    quint64 m_nextTicket = 0;
    int m_closeWaitMs;
};
