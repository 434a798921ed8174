#include "StationJournal.h"

#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandChecks.h"
#include "RequestJournal.h"
#include "StationTables.h"

namespace {

JournalAction ActionOf(int currentAction)
{
    return currentAction == ActionReceive ? JournalAction::Receive : JournalAction::Send;
}

// The machine as the operator knows it: its number, else its name.
QString MachineLabel(const MachineAssignment &m)
{
    return m.MACHINE_NUMBER.isEmpty() ? m.MACHINE_NAME : m.MACHINE_NUMBER;
}

} // namespace

QString RequestSentText(const QString &command, const QString &fullPath, const QString &machine,
                        const QTime &localTime)
{
    // Either separator ends a folder: the path is shown as the server gets it.
    const qsizetype cut = qMax(fullPath.lastIndexOf(u'/'), fullPath.lastIndexOf(u'\\'));
    return GetMessageText(MessageId::RequestSent, command, fullPath.mid(cut + 1), machine,
                          localTime.toString(QStringLiteral("HH:mm:ss")));
}

StationJournal::StationJournal(RemoteCommandClient *client, QObject *parent)
    : QObject(parent), m_client(client), m_journal(new RequestJournal(this))
{
    connect(m_client, &RemoteCommandClient::finished, this, &StationJournal::requestFinished);
}

void StationJournal::load(const QString &stationKey, bool userMode, const QString &databasePath,
                          const QString &folder)
{
    m_station = stationKey;
    m_userMode = userMode;
    m_login = GetSessionUserName();
    m_journal->configure(ReadJournalSettings(), folder);
    m_journal->setDatabaseWriter([databasePath](const JournalEntry &e, QString *error) {
        return WriteJournalEntryToDatabase(databasePath, e, error);
    });
}

JournalEntry StationJournal::entry(const MachineAssignment &machine, JournalAction action,
                                   const QString &command, const QString &path) const
{
    JournalEntry e = NewJournalEntry();
    e.station = m_station;
    e.userMode = m_userMode;
    e.login = m_login;
    e.machineId = machine.MACHINE_ID;
    e.machineNumber = machine.MACHINE_NUMBER;
    e.machineName = machine.MACHINE_NAME;
    e.address = machine.IP_ADDRESS;
    e.port = machine.PORT;
    e.action = action;
    e.command = command;
    e.path = path;
    return e;
}

void StationJournal::requestStarting(const MachineAssignment &machine, int action, const QString &command,
                                     const QString &fullPath)
{
    m_startedAt = QDateTime::currentMSecsSinceEpoch();
    m_machine = machine;
    m_action = action;
    m_command = command;
    m_path = fullPath;
}

void StationJournal::requestRefused(const MachineAssignment &machine, int action, const QString &command,
                                    const QString &fullPath, const Verdict &why)
{
    JournalEntry e = entry(machine, ActionOf(action), command, fullPath);
    e.outcome = JournalOutcome::Refused;
    e.messageId = int(why.message);
    e.reason = why.text();
    m_journal->record(e);
}

void StationJournal::editorLaunched(const MachineAssignment &machine, bool viewOnly, const QString &fullPath,
                                    bool started)
{
    JournalEntry e = entry(machine, viewOnly ? JournalAction::View : JournalAction::Edit, QString(), fullPath);
    e.outcome = started ? JournalOutcome::EditorStarted : JournalOutcome::EditorFailed;
    m_journal->record(e);
}

void StationJournal::editorRefused(const MachineAssignment &machine, bool viewOnly, const QString &fullPath,
                                   const Verdict &why)
{
    JournalEntry e = entry(machine, viewOnly ? JournalAction::View : JournalAction::Edit, QString(), fullPath);
    e.outcome = JournalOutcome::Refused;
    e.messageId = int(why.message);
    e.reason = why.text();
    m_journal->record(e);
}

void StationJournal::requestFinished(RemoteCommandClient::Outcome outcome)
{
    using Outcome = RemoteCommandClient::Outcome;
    JournalEntry e = entry(m_machine, ActionOf(m_action), m_command, m_path);
    e.time = QDateTime::fromMSecsSinceEpoch(m_startedAt, Qt::UTC);
    e.utcOffsetSeconds = QDateTime::fromMSecsSinceEpoch(m_startedAt).offsetFromUtc();
    if (outcome == Outcome::Sent) {
        e.outcome = JournalOutcome::Sent;
        m_journal->record(e);
        emit requestSent(RequestSentText(m_command, m_path, MachineLabel(m_machine), QTime::currentTime()));
        return;
    }
    e.reason = m_client->lastErrorText();
    e.messageId = int(m_client->lastError());
    e.outcome = JournalOutcome::Refused;
    if (outcome == Outcome::NotConnected)
        e.outcome = JournalOutcome::NotConnected;
    else if (outcome == Outcome::SendTimedOut || (outcome == Outcome::Failed && m_client->failedAfterConnecting()))
        e.outcome = JournalOutcome::ClosedEarly;
    m_journal->record(e);
}
