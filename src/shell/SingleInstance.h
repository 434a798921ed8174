#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QWidget;

// For a second start that cannot reach the running instance's window.
QString InstanceUnreachableText();

// One running program per user session. The first start holds a lock file
// and listens on a local socket; a later start finds the lock taken, asks the
// first one over the socket to bring its window to the front, and ends. A
// lock that another computer left in a shared folder binds nobody here.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The defaults are this user session's; tests pass their own.
    explicit SingleInstance(const QString &serverName = QString(),
                            const QString &lockPath = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only instance; it then answers later starts.
    // False when another instance holds the lock.
    bool Claim();

    // The second start's part: asks the running instance to show itself.
    // Waits at most `timeoutMs` in all (an instance starting at the same
    // moment may not listen yet); false when nobody answered.
    bool ActivatePrevInstance(int timeoutMs = 2000);
    // ActivatePrevInstance, and when nobody answered, a message that says so.
    bool HandOverToPrevInstance(int timeoutMs = 2000);

    // The window a later start brings to the front.
    void SetMainWindow(QWidget *window);

    // What a running instance does for a later start: restore a minimised
    // window (a maximised one stays maximised), then raise and activate the
    // window on top, a modal box if one is open.
    static void BringToFront(QWidget *window);

signals:
    void activationRequested();

private:
    void onNewConnection();

    QString m_serverName;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
    QPointer<QWidget> m_window;
};
