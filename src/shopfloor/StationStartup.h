#pragma once

#include "StationTables.h"

#include <QDeadlineTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QString>

class QTimer;

// What the station reads from its configuration database at start, as plain
// data that can cross threads.
struct StationConfiguration {
    bool databaseFound = true; // false: the database file does not exist
    bool connected = false;
    QString connectFailure;    // why it could not be opened, for a person
    LoadResult<MachineAssignment> machines;
};

// Reads the station's machines with a connection of its own, made, used and
// removed on the calling thread; the connection is closed before it returns.
// A refusal for too many clients is tried again while `deadline` allows.
StationConfiguration ReadStationConfiguration(const QString &databasePath,
                                              const QString &stationKey,
                                              QDeadlineTimer deadline);

// The station's reading at start, off the UI thread: the configuration
// database and whether the editor exists, each in a worker, so that a share
// or a server that does not answer never freezes the start. Reports once.
class StationStartup : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 10000;

    struct Result {
        bool timedOut = false;     // the database did not answer within the bound
        QString timeoutText;       // the reason then, naming the database without its password
        bool editorFound = false;  // an editor that did not answer counts as missing
        StationConfiguration configuration;
    };

    explicit StationStartup(QObject *parent = nullptr);

    // Workers still reading, of every start; an abandoned one may never end.
    static int workersInFlight();

    // After `timeoutMs` without the database's answer, finished() reports
    // the time-out and the worker is abandoned: nothing waits for it, at
    // exit either.
    void start(const QString &databasePath, const QString &stationKey, const QString &editorPath,
               int timeoutMs = DefaultTimeoutMs);

signals:
    void finished(const StationStartup::Result &result);

private:
    void settle(bool atBound);

    QFutureWatcher<StationConfiguration> m_configuration;
    QFutureWatcher<bool> m_editor;
    QTimer *m_bound;
    QString m_databasePath;
    int m_timeoutMs = DefaultTimeoutMs;
    bool m_configurationIn = false;
    bool m_editorIn = false;
    bool m_done = false;
};
