// Finish under stress: a wizard killed with SIGKILL at varied moments while
// it saves a station of 500 machines, and two wizards saving two stations of
// one database at the same moment. The test binary runs itself as the wizard:
// tst_wizard_save --finish DATABASE STATION ROUND.

#include <QtTest>

#include "WizardDatabase.h"
#include "Messages.h"
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
    SetMessagePresenter([](const QString &text, int) {
        std::cerr << "message: " << qPrintable(text) << std::endl;
        return int(MsgResultOk);
    });
    WizardDriver d;
    if (args.size() < 5 || !d.open())
        return 2;
    d.w->State.StationKey = args.at(3);
    d.typeDatabase(args.at(2));
    d.next();
    GridArray *rows = d.machines()->array();
    if (d.step() != 1 || rows->upperBound() + 1 != Machines)
        return 3;
    for (int r = 0; r <= rows->upperBound(); ++r) {
        rows->setCell(r, StationStep::ColEnabled, true);
        rows->setCell(r, StationStep::ColCmdType, 0);
    }
    d.next();
    GridArray *send = d.options(2)->array();
    for (int r = 0; r <= send->upperBound(); ++r) {
        send->setCell(r, OptionsStep::ColRemoteCommand, u"R"_s + args.at(4));
        send->setCell(r, OptionsStep::ColDirectory, QDir::tempPath());
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

    std::unique_ptr<QProcess> startWizard(const QString &db, const QString &key, int round)
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), {u"--finish"_s, db, key, QString::number(round)});
        return p;
    }
    static bool waitReady(QProcess &p)
    {
        while (!p.canReadLine())
            if (!p.waitForReadyRead(60000))
                return false;
        return p.readLine().trimmed() == "ready";
    }
    // Every row of the station written by `round`, and all of them.
    static bool isRound(const QStringList &rows, int round)
    {
        if (rows.size() != Machines)
            return false;
        const QString mark = u"|R%1|"_s.arg(round);
        return std::all_of(rows.begin(), rows.end(), [&](const QString &r) { return r.contains(mark); });
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_home.filePath(u"config"_s).toUtf8()); }

    void killedDuringFinish_data() { AddBackendRows(); }
    void killedDuringFinish()
    {
        QFETCH(QString, backend);
        QS_OPEN_DB(backend, db, c);
        QString error;
        QVERIFY2(SeedWizardDatabase(c, m_home.path(), 5001, Machines - 3, &error), qPrintable(error));
        const QString key = u"CRASH-STATION"_s;
        const QStringList others = StationRowsText(c, u"OTHER"_s);
        QStringList previous = StationRowsText(c, key);
        QVERIFY(previous.isEmpty());
        // A first save undisturbed, to spread the kills over its length.
        qint64 saveMs = 0;
        int killedBefore = 0, killedAfter = 0;
        for (int round = 1; round <= 16; ++round) {
            auto p = startWizard(db.path(), key, round);
            QVERIFY(waitReady(*p));
            QElapsedTimer clock;
            clock.start();
            p->write("go\n");
            QVERIFY(p->waitForBytesWritten(10000));
            if (round > 1)
                QTest::qSleep(QRandomGenerator::global()->bounded(qMax<qint64>(saveMs * 3 / 2, 5) + 1));
            if (round > 1)
                p->kill(); // SIGKILL
            QVERIFY(p->waitForFinished(60000));
            if (round == 1) {
                QCOMPARE(p->exitCode(), 0);
                saveMs = clock.elapsed();
            }
            const QStringList now = StationRowsText(c, key);
            if (now == previous) {
                ++killedBefore;
            } else {
                QVERIFY2(isRound(now, round), qPrintable(now.mid(0, 3).join(u'\n')));
                ++killedAfter;
            }
            QCOMPARE(StationRowsText(c, u"OTHER"_s), others);
            previous = now;
        }
        qInfo("%d kills left the old rows, %d found the new ones complete", killedBefore, killedAfter);
    }

    void twoWizardsAtOnce_data() { AddBackendRows(); }
    void twoWizardsAtOnce()
    {
        QFETCH(QString, backend);
        QS_OPEN_DB(backend, db, c);
        QString error;
        QVERIFY2(SeedWizardDatabase(c, m_home.path(), 5001, Machines - 3, &error), qPrintable(error));
        const QStringList others = StationRowsText(c, u"OTHER"_s);
        auto a = startWizard(db.path(), u"STATION-A"_s, 1);
        auto b = startWizard(db.path(), u"STATION-B"_s, 2);
        QVERIFY(waitReady(*a) && waitReady(*b));
        a->write("go\n");
        b->write("go\n");
        QVERIFY(a->waitForBytesWritten(10000) && b->waitForBytesWritten(10000));
        for (QProcess *p : {a.get(), b.get()}) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
        }
        QVERIFY(isRound(StationRowsText(c, u"STATION-A"_s), 1));
        QVERIFY(isRound(StationRowsText(c, u"STATION-B"_s), 2));
        QCOMPARE(StationRowsText(c, u"OTHER"_s), others);
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
