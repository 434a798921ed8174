#include "XSession.h"

#include "FileBytes.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr int kWaitMs = 20000;

bool run(const QString &program, const QStringList &arguments, const QProcessEnvironment &env,
         QString *out)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(kWaitMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    if (out)
        *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return true;
}

} // namespace

void StartWatched(QProcess &process, const QString &program, const QStringList &arguments)
{
    EndWithThisProcess(process);
    process.start(program, arguments);
}

void StopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

XSession::~XSession()
{
    StopProcess(m_xvfb);
}

QString XSession::MissingTools(const QStringList &extra)
{
    QStringList missing;
    for (const QString &tool : QStringList{QStringLiteral("Xvfb"), QStringLiteral("xdotool")} + extra) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing.join(QLatin1String(", "));
}

bool XSession::start(const QString &folder, const QString &screen)
{
    // Xvfb picks a free display itself and writes its number when it is
    // ready; -noreset: a program ending must not reset the server under the next.
    const QString displayFile = folder + QStringLiteral("/display");
    QFile::remove(displayFile);
    StartWatched(m_xvfb, QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("exec Xvfb -displayfd 3 -screen 0 %1 -nolisten tcp -noreset 3>\"$0\"").arg(screen),
                  displayFile});
    QString display;
    static_cast<void>(QTest::qWaitFor([&] {
        QFile f(displayFile);
        if (f.open(QIODevice::ReadOnly))
            display = QString::fromLatin1(f.readAll());
        return display.endsWith(u'\n') || m_xvfb.state() == QProcess::NotRunning;
    }, kWaitMs));
    if (!display.endsWith(u'\n'))
        return false;

    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("DISPLAY"), u':' + display.trimmed());
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const char *var : {"WAYLAND_DISPLAY", "QS_INSTANCE_TEST_HOOK", "XDG_SESSION_ID"})
        m_env.remove(QLatin1String(var));
    for (const char *var : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_RUNTIME_DIR", "XDG_DATA_HOME", "HOME"}) {
        const QString path = folder + u'/' + QLatin1String(var);
        if (!QDir().mkpath(path)
            || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return false;
        m_env.insert(QLatin1String(var), path);
    }
    return true;
}

bool XSession::xdotool(const QStringList &arguments, QString *out) const
{
    return run(QStringLiteral("xdotool"), arguments, m_env, out);
}

QStringList XSession::windows(const QString &title, int count, int timeoutMs) const
{
    QStringList ids;
    static_cast<void>(QTest::qWaitFor([&] {
        QString out;
        xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title}, &out);
        ids = out.split(u'\n', Qt::SkipEmptyParts);
        return ids.size() >= count;
    }, timeoutMs));
    return ids;
}

bool XSession::keys(const QStringList &keys) const
{
    return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")} + keys);
}

bool XSession::focus(const QString &window) const
{
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
}

bool XSession::click(const QString &window, int x, int y) const
{
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
                    QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
}

bool XSession::screenshot(const QString &file) const
{
    return run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file}, m_env,
               nullptr);
}

SocatPeer::~SocatPeer()
{
    StopProcess(m_process);
}

bool SocatPeer::start(const QString &file)
{
    m_file = file;
    QFile::remove(file);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    // Port 0: socat takes a free port itself and names it once it listens.
    StartWatched(m_process, QStringLiteral("socat"),
                 {QStringLiteral("-d"), QStringLiteral("-d"), QStringLiteral("-u"),
                  QStringLiteral("TCP-LISTEN:0,bind=127.0.0.1,reuseaddr"), QStringLiteral("CREATE:") + file});
    const QRegularExpression listening(QStringLiteral("listening on .*:(\\d+)\\n"));
    QString log;
    static_cast<void>(QTest::qWaitFor([&] {
        log += QString::fromLocal8Bit(m_process.readAllStandardError());
        return listening.match(log).hasMatch() || m_process.state() == QProcess::NotRunning;
    }, kWaitMs));
    m_port = quint16(listening.match(log).captured(1).toUInt());
    return m_process.state() == QProcess::Running && m_port != 0;
}

bool SocatPeer::waitForRequest(int timeoutMs)
{
    // waitForFinished() is false for a socat that has already ended and been reaped.
    const bool ended = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    return ended && QFile::exists(m_file);
}

QByteArray SocatPeer::received() const
{
    QFile f(m_file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool XSession::writeSettings(const QByteArray &lines) const
{
    return WriteFileBytes(m_env.value(QStringLiteral("XDG_CONFIG_HOME"))
                              + QStringLiteral("/Quorvane/Quorvane Spindrel Client.ini"),
                          "[Settings]\n" + lines);
}

QString XSession::startStation(QProcess &station, const QStringList &arguments, const QString &title) const
{
    station.setProcessEnvironment(m_env);
    station.setProcessChannelMode(QProcess::ForwardedChannels);
    station.start(qEnvironmentVariable("QS_BIN_DIR") + QStringLiteral("/qspindrel"), arguments);
    return windows(title, 1).value(0);
}
