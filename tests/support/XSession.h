#pragma once

// The real programs under an X server of their own, driven by real input:
// Xvfb (any free display, -displayfd), xdotool for keys and clicks, socat as a
// peer. Every end-to-end test starts its programs through this.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Starts `program` so that it ends with this test even when the test itself
// is killed.
void StartWatched(QProcess &process, const QString &program, const QStringList &arguments);
// Asks the process to end, then kills it.
void StopProcess(QProcess &process);

class XSession
{
public:
    XSession() = default;
    ~XSession();

    // The tools the session needs; empty when all are there.
    static QString MissingTools(const QStringList &extra = {});
    // Starts Xvfb with a screen of `screen` ("1280x800x24") and prepares an
    // environment with private XDG and home folders under `folder`.
    bool start(const QString &folder, const QString &screen = QStringLiteral("1280x800x24"));
    QProcessEnvironment environment() const { return m_env; }

    // xdotool with these arguments; its output trimmed into `out`.
    bool xdotool(const QStringList &arguments, QString *out = nullptr) const;
    // Visible windows whose name matches `title`, waiting until there are `count`.
    QStringList windows(const QString &title, int count, int timeoutMs = 20000) const;
    // Keys pressed in order ("Return", "Tab", "ctrl+a").
    bool keys(const QStringList &keys) const;
    // Gives `window` the keyboard (no window manager does it here).
    bool focus(const QString &window) const;
    // A left click at `x`,`y` of the window `window`.
    bool click(const QString &window, int x, int y) const;
    // The whole screen into a PNG file; for looking at, never compared.
    bool screenshot(const QString &file) const;

    // An environment variable of the programs started from now on; empty unsets it for Qt.
    void setVariable(const QString &name, const QString &value) { m_env.insert(name, value); }
    // The station's settings file in this session's private folders:
    // "[Settings]" followed by `lines`.
    bool writeSettings(const QByteArray &lines) const;
    // The built station started in this session; its first window named
    // `title`, empty when none came.
    QString startStation(QProcess &station, const QStringList &arguments = {},
                         const QString &title = QStringLiteral("^Quorvane Spindrel Client$")) const;

private:
    QProcess m_xvfb;
    QProcessEnvironment m_env;
};

// A socat listener on a free loopback port that writes what its one
// connection carries into a file.
class SocatPeer
{
public:
    ~SocatPeer();
    bool start(const QString &file);
    quint16 port() const { return m_port; }
    // Waits until the connection has ended; false when nothing came.
    bool waitForRequest(int timeoutMs = 20000);
    QByteArray received() const;
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

private:
    QProcess m_process;
    QString m_file;
    quint16 m_port = 0;
};
