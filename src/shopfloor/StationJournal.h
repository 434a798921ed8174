#pragma once

#include "JournalEntry.h"
#include "JournalTable.h"
#include "RemoteCommandClient.h"
#include "StationTables.h"

#include <QObject>
#include <QString>
#include <QTime>

class RequestJournal;
struct Verdict;

// The window's side of the request journal: entries made from what the
// window holds, the Go request followed to its outcome, and the text that
// tells the operator the request left. Nothing here touches the file system.
class StationJournal : public QObject
{
    Q_OBJECT
public:
    explicit StationJournal(RemoteCommandClient *client, QObject *parent = nullptr);

    RequestJournal *journal() const { return m_journal; }

    // Once the station is known (Form_Load): the user's journal settings,
    // who the station is, and the configuration database for the copy.
    void load(const QString &stationKey, bool userMode, const QString &databasePath,
              const QString &folder = DefaultJournalFolder());

    // Go, with CurrentAction: just before the request starts (only noted
    // here; the entry is made once the request is done), or refused before
    // it started (`why`: the message the operator saw).
    void requestStarting(const MachineAssignment &machine, int action, const QString &command,
                         const QString &fullPath);
    void requestRefused(const MachineAssignment &machine, int action, const QString &command,
                        const QString &fullPath, const Verdict &why);
    // Edit and View.
    void editorLaunched(const MachineAssignment &machine, bool viewOnly, const QString &fullPath,
                        bool started);
    void editorRefused(const MachineAssignment &machine, bool viewOnly, const QString &fullPath,
                       const Verdict &why);

signals:
    // The request left: the confirmation for the operator.
    void requestSent(const QString &text);

private:
    void requestFinished(RemoteCommandClient::Outcome outcome);
    JournalEntry entry(const MachineAssignment &machine, JournalAction action, const QString &command,
                       const QString &path) const;

    RemoteCommandClient *m_client;
    RequestJournal *m_journal;
    QString m_station;
    bool m_userMode = false;
    QString m_login;
    // The request under way.
    qint64 m_startedAt = 0;
    MachineAssignment m_machine;
    int m_action = 0;
    QString m_command, m_path;
};

// "LOAD O1001.NC sent to L-101 at 14:03:22": the command, the file's name
// without its folders, the machine and the local time.
QString RequestSentText(const QString &command, const QString &fullPath, const QString &machine,
                        const QTime &localTime);
