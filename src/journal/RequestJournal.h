#pragma once

#include "FileFingerprint.h"
#include "JournalEntry.h"
#include "JournalSettings.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

// The station's journal of requests. Nothing here blocks or delays the
// caller or its request: entries are recorded once the request is done, a
// send's fingerprint is then computed on a private pool, the lines are
// written on a thread of their own, and the database copy is made on another
// after the line, so a file share or a database server that does not answer
// holds up neither the request nor the window.
//
//     const QDateTime at = QDateTime::currentDateTime();  // Go
//     ...                                                 // the request runs
//     journal->record(entry);                             // its outcome known
class RequestJournal : public QObject
{
    Q_OBJECT
public:
    // Makes the database copy of one entry; called on the journal's database
    // thread, never on the caller's. False with the reason on failure.
    using DatabaseWriter = std::function<bool(const JournalEntry &entry, QString *error)>;

    static constexpr int DefaultCloseWaitMs = 3000;

    explicit RequestJournal(QObject *parent = nullptr, int closeWaitMs = DefaultCloseWaitMs);
    // Waits at most closeWaitMs in all: half for fingerprints under way, half
    // for the writes; an entry whose file has not answered by then is written
    // noted as not read.
    ~RequestJournal() override;

    void configure(const JournalSettings &settings, const QString &folder);
    void setDatabaseWriter(DatabaseWriter writer);
    bool isEnabled() const { return m_settings.enabled && !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }

    // A request with its outcome. The file of a send the station did not
    // refuse is fingerprinted first, off this thread; every other line is
    // handed to the writer at once.
    void record(const JournalEntry &entry);

    // Entries waiting for their fingerprint.
    int pendingCount() const { return int(m_pending.size()); }
    // Waits until every line handed over is written and every database copy
    // made or noted as failed.
    static bool waitForWrites(int timeoutMs);

private:
    void fingerprintReady(quint64 key, const FileFingerprint &fingerprint);
    void write(const JournalEntry &entry);

    JournalSettings m_settings;
    QString m_folder;
    DatabaseWriter m_databaseWriter;
    QHash<quint64, JournalEntry> m_pending;
    quint64 m_nextKey = 0;
    int m_closeWaitMs;
};
