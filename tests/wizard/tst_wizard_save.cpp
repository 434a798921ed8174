// Finish under stress: a wizard killed with SIGKILL at varied moments while
// it saves a station of 500 machines. The test binary runs itself as the
// wizard: tst_wizard_save --finish DATABASE STATION ROUND. (Two stations
// saving at once is tst_stationtables'.)

#include <QtTest>

#include "Messages.h"
#include "WizardDatabase.h"
#include "WizardDriver.h"

#include <QRandomGenerator>
#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int Machines = 500;

// The child: every machine enabled for sending with command R<round>; says
// "ready" before Finish and presses it on the parent's word.
int runWizard(const QStringList &args)
{
    SetMessagePresenter([](const QString &, int) { return int(MsgResultOk); });
    WizardDriver d;
    if (args.size() < 5 || !d.open())
        return 2;
    d.w->State.StationKey = args.at(3);
    d.typeDatabase(args.at(2));
    d.next();
    GridArray *rows = d.machines()->array();
    if (d.step() != 1 || rows->upperBound() + 1 != Machines)
        return 3;
    for (int r = 0; r < Machines; ++r) {
        rows->setCell(r, StationStep::ColEnabled, true);
        rows->setCell(r, StationStep::ColCmdType, 0);
    }
    d.next();
    for (int r = 0; r < Machines; ++r) {
        d.options(2)->array()->setCell(r, OptionsStep::ColRemoteCommand, u"R"_s + args.at(4));
        d.options(2)->array()->setCell(r, OptionsStep::ColDirectory, QDir::tempPath());
    }
    std::cout << "ready" << std::endl;
    std::string word;
    std::getline(std::cin, word);
    QSignalSpy ended(d.w.get(), &frmAdminWizard::unloaded);
    d.finish();
    return ended.size() == 1 ? 0 : 4;
}

} // namespace

class tst_WizardSave : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_home.filePath(u"config"_s).toUtf8()); }

    // Every kill leaves either the old rows or all of the new ones.
    void killedDuringFinish_data() { AddBackendRows(); }
    void killedDuringFinish()
    {
        QFETCH(QString, backend);
        QS_OPEN_DB(backend, db, c);
        QVERIFY(SeedWizardDatabase(c, m_home.path(), 5001, Machines - 3));
        const QString key = u"CRASH-STATION"_s;
        const QStringList others = StationRowsText(c, u"OTHER"_s);
        QStringList previous;
        // A first save undisturbed, to spread the kills over its length.
        qint64 saveMs = 0;
        for (int round = 1; round <= 16; ++round) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p.start(QCoreApplication::applicationFilePath(), {u"--finish"_s, db.path(), key, QString::number(round)});
            QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine() || p.state() == QProcess::NotRunning, 60000);
            QCOMPARE(p.readLine().trimmed(), QByteArray("ready"));
            QElapsedTimer clock;
            clock.start();
            p.write("go\n");
            QVERIFY(p.waitForBytesWritten(10000));
            if (round > 1) {
                QTest::qSleep(QRandomGenerator::global()->bounded(qMax<qint64>(saveMs * 3 / 2, 5) + 1));
                p.kill(); // SIGKILL
            }
            QVERIFY(p.waitForFinished(60000));
            QVERIFY(round > 1 || p.exitCode() == 0);
            saveMs = round == 1 ? clock.elapsed() : saveMs;
            const QStringList now = StationRowsText(c, key);
            const QString mark = u"|R%1|"_s.arg(round);
            QVERIFY2(now == previous || (now.size() == Machines && now.filter(mark).size() == Machines),
                     qPrintable(now.mid(0, 3).join(u'\n')));
            QCOMPARE(StationRowsText(c, u"OTHER"_s), others);
            previous = now;
        }
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == "--finish"_L1)
        return runWizard(args);
    tst_WizardSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wizard_save.moc"
