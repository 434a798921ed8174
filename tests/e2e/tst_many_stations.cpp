#include <QtTest>

#include "ConfigSchema.h"
#include "ConnectRetry.h"
#include "DBAssist.h"
#include "FileBytes.h"
#include "Platform.h"
#include "TestSupport.h"
#include "clsAccessDBConnection.h"

#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// One small PostgreSQL server (10 connections) and many stations started at
// once: a station holds a connection only while it reads, and a refusal for
// too many clients is tried again, so every station starts and the
// administrator's tool still gets in.

using namespace Qt::StringLiterals;

namespace {

constexpr int kServerLimit = 10;
constexpr int kStations = 30;

QString script() { return qEnvironmentVariable("QS_SOURCE_DIR") + u"/scripts/pg-test-server.sh"_s; }

} // namespace

class tst_ManyStations : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QTemporaryDir m_pgDir; // directly in the temporary folder, where the server's account reaches it
    QString m_url;

    // A connection of this thread's own; the refused one when the server is full.
    std::unique_ptr<clsAccessDBConnection> connectToServer() const
    {
        auto c = std::make_unique<clsAccessDBConnection>();
        c->setDatabase(m_url);
        c->Connect();
        return c;
    }

private slots:
    void initTestCase()
    {
        if (QSysInfo::kernelType() != "linux"_L1)
            QSKIP("The many-stations test runs on Linux, where the server's scripts run");
        const QStringList servers = QDir(u"/usr/lib/postgresql"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (servers.isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("PostgreSQL server binaries are missing; scripts/install.sh installs them");
            QSKIP("PostgreSQL server binaries are missing (/usr/lib/postgresql/*/bin): many-stations test not run");
        }
        QVERIFY(m_dir.isValid() && m_pgDir.isValid());
        QProcess start;
        start.start(script(), {u"start"_s, m_pgDir.path(), QString::number(kServerLimit)});
        QVERIFY(start.waitForFinished(120000));
        m_url = QString::fromUtf8(start.readAllStandardOutput()).trimmed();
        QVERIFY2(start.exitCode() == 0 && !m_url.isEmpty(), start.readAllStandardError().constData());
    }
    void cleanupTestCase()
    {
        if (!m_url.isEmpty())
            QProcess::execute(script(), {u"stop"_s, m_pgDir.path()});
    }

    void thirtyStationsStartAtOnce()
    {
        const QString bin = qEnvironmentVariable("QS_BIN_DIR");
        QVERIFY(QFile::exists(bin + u"/qspindrel"_s));
        QString error;
        {
            const auto connection = connectToServer();
            clsAccessDBConnection &db = *connection;
            QVERIFY2(db.IsConnected(), qPrintable(db.ConnectFailureText()));
            QVERIFY2(CreateConfigTables(db, &error), qPrintable(error));
            QVERIFY2(ExecStatement(db, u"INSERT INTO T_DNC_MACHINES VALUES (1, 'M1', 'Mill', '127.0.0.1', 5001, 1)"_s,
                                   {}, &error), qPrintable(error));
            QVERIFY2(ExecStatement(db, u"INSERT INTO T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE, CMD_TYPE,"
                                       " SEND_REMOTE_CMD, SEND_EXTENSION, SEND_DIRECTORY) VALUES (1, ?, 0, 0,"
                                       " 'LOAD', '.NC', ?)"_s,
                                   {GetPCName(), m_dir.path() + u"/"_s}, &error), qPrintable(error));
        }

        // Every slot taken and none coming free: a connection gives up at its deadline with the refusal.
        std::vector<std::unique_ptr<clsAccessDBConnection>> others;
        for (auto c = connectToServer(); c->IsConnected(); c = connectToServer()) {
            others.push_back(std::move(c));
            QVERIFY(others.size() <= kServerLimit);
        }
        QElapsedTimer clock;
        clock.start();
        clsAccessDBConnection refused;
        refused.setDatabase(m_url);
        QVERIFY(!ConnectRetryingBusyServer(refused, QDeadlineTimer(1500)));
        QVERIFY2(refused.ConnectFailureText().contains(u"too many clients"_s), qPrintable(refused.ConnectFailureText()));
        QVERIFY(clock.elapsed() >= 1000);
        // All slots but two stay taken while the stations start, so that they meet at the server's limit.
        others.resize(kServerLimit - 2);

        // Each station its own display name, runtime and settings folders,
        // so that none takes another for a second start of itself.
        std::vector<std::unique_ptr<QProcess>> stations;
        QList<QByteArray> output(kStations);
        for (int i = 0; i < kStations; ++i) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(u"WAYLAND_DISPLAY"_s);
            env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
            env.insert(u"DISPLAY"_s, u":qs-station-%1"_s.arg(i + 1));
            env.insert(u"QS_INSTANCE_TEST_HOOK"_s, u"1"_s);
            env.insert(u"XDG_CONFIG_DIRS"_s, m_dir.filePath(u"etc"_s));
            for (const QString &var : {u"XDG_RUNTIME_DIR"_s, u"XDG_CONFIG_HOME"_s, u"HOME"_s}) {
                const QString folder = m_dir.filePath(u"%1-%2"_s.arg(var).arg(i + 1));
                QVERIFY(QDir().mkpath(folder));
                QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
                env.insert(var, folder);
            }
            QVERIFY(WriteFileBytes(env.value(u"XDG_CONFIG_HOME"_s) + u"/Quorvane/Quorvane Spindrel Client.ini"_s,
                                   "[Settings]\nDatabase=" + m_url.toUtf8() + "\n"));

            auto p = std::make_unique<QProcess>();
            p->setProcessEnvironment(env);
            p->setProcessChannelMode(QProcess::MergedChannels);
            EndWithThisProcess(*p);
            connect(p.get(), &QProcess::readyRead, this, [&output, i, raw = p.get()] { output[i] += raw->readAll(); });
            p->start(bin + u"/qspindrel"_s, QStringList());
            stations.push_back(std::move(p));
        }
        const auto stopAll = qScopeGuard([&] { stations.clear(); }); // each killed while its output is still read

        // The hook says READY only once the window is shown after a load
        // that found the station's machines; a failed load ends the program.
        const auto ready = [&] {
            int n = 0;
            for (int i = 0; i < kStations; ++i)
                n += output[i].contains("READY") && stations[i]->state() == QProcess::Running;
            return n;
        };
        const auto stopped = [&] {
            for (int i = 0; i < kStations; ++i)
                if (stations[i]->state() == QProcess::NotRunning)
                    return i;
            return -1;
        };
        // A failed station waits for an OK nobody gives: no longer than needed.
        static_cast<void>(QTest::qWaitFor([&] { return ready() == kStations || stopped() >= 0; }, 90000));
        if (const int gone = stopped(); gone >= 0)
            QFAIL(qPrintable(u"station %1 ended: %2"_s.arg(gone + 1).arg(QString::fromUtf8(output[gone]))));
        QCOMPARE(ready(), kStations);
        QVERIFY2(ReadFileBytes(m_pgDir.filePath(u"server.log"_s)).contains("too many clients"),
                 "the stations never met the server's limit");

        others.clear();
        QProcess tool;
        tool.start(bin + u"/qspindrel-config"_s, {u"machines"_s, m_url});
        QVERIFY(tool.waitForFinished(30000));
        const QString listing = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
        QVERIFY2(tool.exitCode() == 0 && listing.contains(u"Mill"_s), qPrintable(listing));
        QCOMPARE(stopped(), -1);
    }
};

QTEST_MAIN(tst_ManyStations)
#include "tst_many_stations.moc"
