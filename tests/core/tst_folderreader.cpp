#include <QtTest>

#include "FolderReader.h"

#include <atomic>
#include <future>

class tst_FolderReader : public QObject
{
    Q_OBJECT

    // Work that blocks until the test lets it go, as a share that stops answering does; it counts its
    // runs and whether two ever ran at once.
    struct Probe {
        std::promise<void> opened;
        std::shared_future<void> gate = opened.get_future().share();
        std::atomic<int> runs{0}, running{0};
        std::atomic<bool> overlapped{false};
        std::function<int()> work(int value)
        {
            return [this, value] {
                ++runs;
                if (++running > 1)
                    overlapped = true;
                gate.wait();
                --running;
                return value;
            };
        }
        void open() { opened.set_value(); }
    };

private slots:
    void sameFolderIsReadOnceAtATime_data()
    {
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<int>("runs");
        QTest::newRow("the same question twice attaches") << QStringList{"list", "list"} << 1;
        QTest::newRow("other questions wait their turn") << QStringList{"list", "probe", "list"} << 2;
    }
    void sameFolderIsReadOnceAtATime()
    {
        QFETCH(QStringList, questions);
        QFETCH(int, runs);
        FolderReader reader({10, 60000});
        Probe probe;
        QObject context;
        QList<int> answers;
        for (int i = 0; i < questions.size(); ++i) {
            FolderReader::Handlers<int> h;
            h.done = [&answers](int v) { answers << v; };
            reader.ask<int>(questions[i], "/share/NC", probe.work(i), &context, h);
        }
        QTRY_COMPARE(probe.running.load(), 1);
        QVERIFY(reader.isReading("/share/NC"));
        probe.open();
        QTRY_COMPARE(answers.size(), questions.size());
        QCOMPARE(probe.runs.load(), runs);
        QVERIFY(!probe.overlapped);
        QVERIFY(!reader.isReading("/share/NC"));
        QCOMPARE(reader.jobsInFlight(), 0);
    }

    // Slow, then not answering, then the late answer still arrives; an asker that is gone hears nothing.
    // Folders that hang never starve the others: past the bound they stop counting against the pool.
    // A reader destroyed while that work still hangs: the work's end must not reach it.
    void stuckFolders()
    {
        auto reader = std::make_unique<FolderReader>(FolderReader::Timing{10, 50});
        Probe late, stuck;
        QObject context;
        auto gone = std::make_unique<QObject>();
        QStringList events, goneEvents;
        const auto handlers = [](QStringList *log) {
            FolderReader::Handlers<int> h;
            h.done = [log](int v) { *log << QString("done %1").arg(v); };
            h.slow = [log] { *log << "slow"; };
            h.notAnswering = [log] { *log << "not answering"; };
            return h;
        };
        reader->ask<int>("list", "/share", late.work(7), &context, handlers(&events));
        reader->ask<int>("list", "/share", late.work(8), gone.get(), handlers(&goneEvents));
        gone.reset();
        QTRY_COMPARE(events, (QStringList{"slow", "not answering"}));
        // The job's own bound may come a moment after the asker's (coarse timers on Windows).
        QTRY_VERIFY(reader->hasStuckJobs());
        late.open();
        QTRY_COMPARE(events, (QStringList{"slow", "not answering", "done 7"}));
        QVERIFY(goneEvents.isEmpty());
        QVERIFY(!reader->hasStuckJobs());

        QStringList answers;
        for (int i = 0; i < FolderReader::DefaultThreads + 2; ++i)
            reader->ask<int>("list", QString("/dead/%1").arg(i), stuck.work(i), &context, handlers(&answers));
        QTRY_COMPARE(stuck.running.load(), FolderReader::DefaultThreads + 2);
        reader->ask<int>("list", "/local", [] { return 42; }, &context, handlers(&answers));
        QTRY_VERIFY(answers.contains("done 42"));
        reader.reset();
        stuck.open();
        QTRY_COMPARE(stuck.running.load(), 0);
        QTest::qWait(20);
        QCOMPARE(answers.filter("done"), QStringList{"done 42"});
    }
};

QTEST_GUILESS_MAIN(tst_FolderReader)
#include "tst_folderreader.moc"
