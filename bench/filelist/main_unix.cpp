// Times the file list's whole fill (enumerate, filter, model, sort) of a folder
// of 100,000 files, as the station does it (through the folder reader: a
// worker reads, the model takes the listing over on this thread), against a
// raw baseline measured in the same run: readdir and stat of every entry,
// nothing kept. Then what a machine click costs until the list shows (the
// root's check, its subfolders, its files) through the reader against the
// same calls made directly, as the window made them before.
//
//   bench_filelist [file count] [runs] [folder to create the files in]

#include "FileListModel.h"
#include "FolderQuestions.h"
#include "FolderReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Ten extensions; every other round of ten in capitals, as shops mix them.
const char *const kExtensions[2][10] = {
    {".nc", ".txt", ".h", ".mpf", ".spf", ".tap", ".eia", ".min", ".ptp", ".iso"},
    {".NC", ".TXT", ".H", ".MPF", ".SPF", ".TAP", ".EIA", ".MIN", ".PTP", ".ISO"}};

bool createFiles(const QString &folder, int count)
{
    const QByteArray base = QFile::encodeName(folder) + '/';
    for (int i = 0; i < count; ++i) {
        const QByteArray name = base + "O" + QByteArray::number(100000 + i)
            + kExtensions[(i / 10) % 2][i % 10];
        const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        // Sizes and times spread so that sorting has work to do.
        const off_t size = off_t((i * 7919) % 200000);
        const bool ok = ::ftruncate(fd, size) == 0;
        const struct timespec times[2] = {{1700000000 + (i * 104729) % 5000000, 0},
                                          {1700000000 + (i * 104729) % 5000000, 0}};
        ::futimens(fd, times);
        ::close(fd);
        if (!ok)
            return false;
    }
    return true;
}

// What any listing has to do at least.
qint64 baseline(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return 0;
    const int fd = ::dirfd(dir);
    qint64 total = 0;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat st;
        if (::fstatat(fd, entry->d_name, &st, 0) == 0)
            total += st.st_size;
    }
    ::closedir(dir);
    return total;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double elapsedMs(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

// One question through the reader, waited for on an event loop as the
// window's own loop would.
template <typename Result>
Result askAndWait(FolderReader &reader, const QString &question, const QString &folder,
                  std::function<Result()> work)
{
    QEventLoop loop;
    Result result{};
    FolderReader::Handlers<Result> h;
    h.done = [&](const Result &r) {
        result = r;
        loop.quit();
    };
    reader.ask<Result>(question, folder, std::move(work), &loop, h);
    loop.exec();
    return result;
}

int fillThroughReader(FolderReader &reader, FileListModel &model, const QString &folder,
                      const QStringList &filter)
{
    const int column = model.sortColumn();
    const bool ascending = model.sortAscending();
    return model.adopt(askAndWait<FileListing>(reader, QStringLiteral("files"), folder, [&] {
        return FileListModel::read(folder, filter, column, ascending);
    }));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = args.size() > 1 ? args.at(1).toInt() : 100000;
    const int runs = args.size() > 2 ? args.at(2).toInt() : 5;
    QTemporaryDir dir(args.size() > 3 ? args.at(3) + QStringLiteral("/bench-filelist-XXXXXX")
                                      : QString());
    if (!dir.isValid() || count <= 0 || runs <= 0) {
        std::fprintf(stderr, "usage: bench_filelist [count] [runs] [parent folder]\n");
        return 2;
    }
    std::printf("creating %d files in %s ...\n", count, qPrintable(dir.path()));
    std::fflush(stdout);
    if (!createFiles(dir.path(), count)) {
        std::fprintf(stderr, "could not create the files\n");
        return 1;
    }
    const QString folder = dir.path() + QLatin1Char('/');
    baseline(folder); // warm the caches for everyone

    struct Case {
        const char *label;
        QStringList filter;
        int column;
    };
    const Case cases[] = {
        {"filter .nc, sort by name", {QStringLiteral(".NC")}, 0},
        {"filter .nc, sort by size", {QStringLiteral(".NC")}, 1},
        {"filter .nc, sort by time", {QStringLiteral(".NC")}, 2},
        {"no filter,  sort by name", {}, 0},
        {"no filter,  sort by size", {}, 1},
        {"no filter,  sort by time", {}, 2},
    };
    // Baseline and fill take turns, so that both see the same load on the machine.
    FolderReader reader;
    double worst = 0;
    for (const Case &c : cases) {
        FileListModel model;
        // From the start state (name, ascending) another column keeps the direction.
        if (c.column != 0)
            model.headClick(c.column, QString());
        std::vector<double> base, fill, direct;
        int rows = 0;
        for (int i = 0; i < runs; ++i) {
            base.push_back(elapsedMs([&] { baseline(folder); }));
            fill.push_back(elapsedMs([&] { rows = fillThroughReader(reader, model, folder, c.filter); }));
            direct.push_back(elapsedMs([&] { model.fill(folder, c.filter); }));
        }
        const double b = median(base), f = median(fill), d = median(direct);
        std::printf("%s: fill %7.1f ms (on this thread %7.1f ms), baseline %7.1f ms, ratio %.2f, %6d rows "
                    "(medians of %d)\n", c.label, f, d, b, f / b, rows, runs);
        worst = std::max(worst, f / b);
    }
    std::printf("worst ratio to the baseline: %.2f\n", worst);

    // A machine click: a tree of 50 folders of 20 files beside the big one.
    const QString root = dir.path() + QStringLiteral("/click");
    for (int i = 0; i < 50; ++i) {
        const QString sub = root + QStringLiteral("/F%1").arg(i);
        QDir().mkpath(sub);
        createFiles(sub, 20);
    }
    const QStringList filter{QStringLiteral(".NC")};
    std::vector<double> direct, async;
    for (int i = 0; i < runs * 20; ++i) {
        FileListModel model;
        direct.push_back(elapsedMs([&] {
            const RootProbe probe = ProbeTreeRoot(root);
            ReadSubfolders(probe.key);
            model.fill(probe.key + QLatin1Char('/'), filter);
        }));
        // As the window opens a folder: one job reads the root, its
        // subfolders and its files; this thread takes them over.
        struct Opening {
            RootProbe probe;
            SubfolderListing subfolders;
            FileListing files;
        };
        async.push_back(elapsedMs([&] {
            const Opening opening = askAndWait<Opening>(reader, QStringLiteral("open"), root, [&] {
                Opening o;
                o.probe = ProbeTreeRoot(root);
                o.subfolders = ReadSubfolders(o.probe.key);
                o.files = FileListModel::read(o.probe.key, filter, model.sortColumn(), model.sortAscending());
                return o;
            });
            model.adopt(opening.files);
        }));
    }
    const double d = median(direct), a = median(async);
    std::printf("machine click until the list shows: through the reader %.3f ms, direct %.3f ms, "
                "ratio %.2f (medians of %d)\n", a, d, a / d, runs * 20);
    return 0;
}
