#include "DirectoryScan.h"
#include "DirectoryTreeModel.h"
#include "TreeRoot.h"
#include "FileListModel.h"
#include "FileNameCodec.h"
#include "FolderReader.h"
#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandChecks.h"
#include "RequestSafety.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace {

QStringList childTexts(const DirectoryTreeModel &m, const QModelIndex &parent)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(parent); ++r)
        out << m.data(m.index(r, 0, parent)).toString();
    return out;
}

QModelIndex childNamed(const DirectoryTreeModel &m, const QModelIndex &parent, const QString &text)
{
    const int row = childTexts(m, parent).indexOf(text);
    return row < 0 ? QModelIndex() : m.index(row, 0, parent);
}

// Not read yet, with the expand sign.
bool closedWithSign(const DirectoryTreeModel &m, const QModelIndex &node)
{
    return m.rowCount(node) == 0 && m.hasChildren(node) && m.canFetchMore(node);
}

// Opens a node as the view does and waits for the reader's answer.
bool open(DirectoryTreeModel &m, const QModelIndex &node)
{
    QSignalSpy loaded(&m, &DirectoryTreeModel::childrenLoaded);
    m.fetchMore(node);
    return loaded.wait(10000);
}

} // namespace

class TestDirTree : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_root;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = m_dir.path() + "/progs";
        for (const char *p : {"progs/Zeta", "progs/alpha/.cache/x", "progs/beta/gamma/delta", "progs/.hidden/sub",
                              "progs/Beta2", ".progs"})
            QVERIFY(QDir(m_dir.path()).mkpath(QLatin1String(p)));
        for (const char *p : {"progs/alpha/.cache", "progs/.hidden", ".progs"})
            QVERIFY(MakeHidden(m_dir.filePath(QLatin1String(p))));
        QVERIFY(QFile(m_root + "/file.nc").open(QIODevice::WriteOnly));
        if (!SystemHasSymbolicLinks())
            return;
        QVERIFY(MakeSymbolicLink(m_root + "/beta", m_root + "/link"));
        QVERIFY(MakeSymbolicLink(m_root + "/file.nc", m_root + "/filelink"));
        QVERIFY(MakeSymbolicLink(m_root + "/nothing", m_root + "/broken"));
        QVERIFY(MakeSymbolicLink(m_root, m_dir.path() + "/alias"));
    }

    void rootCheck_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("message");
        const QString base = m_dir.path();
        QTest::newRow("a file") << base + "/progs/file.nc" << 181;
        QTest::newRow("hidden") << base + "/.progs" << 191;
        QTest::newRow("alias") << base + "/alias" << 193;
        QTest::newRow("file-system root") << QDir::rootPath() << 0;
        // The working folder holds "progs": a relative root would name it.
        QTest::newRow("relative") << "progs" << 181;
        // Below the root, hidden folders and links are only left out or listed.
        QTest::newRow("below a hidden folder") << base + "/progs/.hidden/sub" << 0;
    }
    void rootCheck()
    {
        QFETCH(QString, path);
        QFETCH(int, message);
        if (path.endsWith("/alias") && !SystemHasSymbolicLinks())
            QSKIP("no symbolic links here");
        const QString working = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        const int got = int(CheckTreeRoot(path));
        QDir::setCurrent(working);
        QCOMPARE(got, message);
    }

    // Windows attribute bits the Windows suite does not set on its folders: the system bit outweighs the
    // reparse point, and attributes that cannot be read refuse nothing and show nothing.
    void attributeRules()
    {
        QCOMPARE(int(RootRefusalMessage(0x414)), 192);
        QVERIFY(!ShowsAsFolder(0x414) && !ShowsAsFile(0x414));
        QCOMPARE(int(RootRefusalMessage(InvalidFileAttributes)), 0);
        QVERIFY(!ShowsAsFolder(InvalidFileAttributes) && !ShowsAsFile(InvalidFileAttributes));
    }
    // The root's text for a share, a Windows drive and a volume without a label.
    void rootTexts()
    {
        QCOMPARE(VolumeRootText("cifs", "//server/progs", "", "/mnt/p"), QStringLiteral("progs"));
        QCOMPARE(VolumeRootText("NTFS", "\\\\?\\Volume{1}", "System", "C:/"), QStringLiteral("System (C:)"));
        QCOMPARE(VolumeRootText("ext4", "/dev/sdb1", "", "/media/usb"), QStringLiteral("usb"));
        QCOMPARE(DriveRootText(4, "DATA", "Z", "\\\\server\\progs"), QStringLiteral("progs"));
        QCOMPARE(DriveRootText(3, "", "D", ""), QStringLiteral(" (D:)"));
    }

    // Last: it changes the fixture.
    void childrenLoadedLazily()
    {
        FolderReader reader;
        DirectoryTreeModel model(reader);
        const QModelIndex root = model.setRoot(TreeRootKey(m_root), TreeRootText(m_root));
        QVERIFY(closedWithSign(model, root));
        QVERIFY(open(model, root));
        QCOMPARE(model.data(root).toString(), QStringLiteral("progs"));
        // Sorted without regard to case; the hidden folder, files and the broken
        // link are left out; the link to a folder is listed.
        const bool links = SystemHasSymbolicLinks();
        QStringList listed{"alpha", "beta", "Beta2", "link", "Zeta"};
        if (!links)
            listed.removeOne("link");
        QCOMPARE(childTexts(model, root), listed);
        const QModelIndex beta = childNamed(model, root, "beta");

        // No expand sign without (visible) subfolders.
        QVERIFY(!model.hasChildren(childNamed(model, root, "alpha")));
        QVERIFY(open(model, beta));
        QCOMPARE(childTexts(model, beta), QStringList{"gamma"});
        // The link opens as the folder it points at, under its own path.
        const QModelIndex link = childNamed(model, root, "link");
        QVERIFY(!links || open(model, link));
        QVERIFY(!links || model.key(childNamed(model, link, "gamma")) == QDir::toNativeSeparators(m_root + "/link/gamma"));

        // A folder that cannot be read opens empty.
        if (!PermissionsBind())
            return;
        QVERIFY(QDir(m_root).mkpath("locked/inner"));
        QVERIFY(QFile::setPermissions(m_root + "/locked", QFileDevice::WriteOwner));
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(m_root + "/locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QVERIFY(open(model, model.setRoot(TreeRootKey(m_root), TreeRootText(m_root))));
        const QModelIndex locked = childNamed(model, model.rootIndex(), "locked");
        QVERIFY(open(model, locked));
        QCOMPARE(model.rowCount(locked), 0);
    }

    // Folders and files whose names are no valid text keep their bytes: the
    // folder opens, its file is listed under a path that exists, and Go
    // refuses it rather than send another name.
    void namesThatAreNoText()
    {
        if (!FileNamesAreBytes())
            QSKIP("names are bytes on Unix only");
        const QByteArray name("Gr\xfcn"); // Latin-1
        const QString decoded = DecodeFileName(name);
        QVERIFY(DisplayFileName(decoded).isValidUtf16());

        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + '/' + name;
        // std::filesystem takes a narrow name as the very bytes here.
        QVERIFY(std::filesystem::create_directories(folder.toStdString() + "/sub"));
        QVERIFY(std::ofstream((folder + '/' + name + ".NC").toStdString()).good());

        FolderReader reader;
        DirectoryTreeModel model(reader);
        const QModelIndex root = model.setRoot(TreeRootKey(dir.path()), TreeRootText(dir.path()));
        QVERIFY(open(model, root));
        QCOMPARE(model.rowCount(root), 1);
        const QModelIndex node = model.index(0, 0, root);
        QCOMPARE(EncodeFileName(model.key(node)), folder);
        QCOMPARE(model.data(node).toString(), DisplayFileName(decoded));
        QVERIFY(open(model, node));
        QCOMPARE(childTexts(model, node), QStringList{"sub"});

        FileListModel files;
        const QString current = model.key(node) + '/';
        QCOMPARE(files.fill(current, {".NC"}), 1);
        QVERIFY(FileExists(files.fullPath(0)));
        QCOMPARE(files.data(files.index(0, 0)).toString(), DisplayFileName(decoded) + ".NC");

        QStringList messages;
        SetMessagePresenter([&](const QString &t, int) { messages << t; return int(MsgResultOk); });
        const RequestCheck check = CheckFileForGo(files.name(0), current, dir.path(), {".NC"}, 0, "LOAD", '/');
        const QString path = ShowVerdict(check.verdict) ? check.fullPath : QString();
        SetMessagePresenter({});
        QCOMPARE(path, QString());
        QCOMPARE(messages, QStringList{InvalidNameRefusal(files.fullPath(0)).text()});
    }
};

QTEST_MAIN(TestDirTree)
#include "tst_dirtree.moc"
