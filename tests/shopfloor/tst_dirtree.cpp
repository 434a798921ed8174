#include "DirectoryTreeModel.h"

#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

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

bool hasPlaceholderOnly(const DirectoryTreeModel &m, const QModelIndex &node)
{
    return m.rowCount(node) == 1 && m.isPlaceholder(m.index(0, 0, node))
        && m.data(m.index(0, 0, node)).toString() == QLatin1String("dummy");
}

} // namespace

class TestDirTree : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void rootCheck_data();
    void rootCheck();
    void rootKeyAndText();
    void volumeText_data();
    void volumeText();
    void childrenSortedAndFiltered();
    void lazyLoading();
    void unreadableFolderGetsNoChildren();

private:
    QTemporaryDir m_dir;
    QString m_root;
};

void TestDirTree::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_root = m_dir.path() + "/progs";
    QDir d(m_dir.path());
    for (const char *p : {"progs/Zeta", "progs/alpha/.cache/x", "progs/beta/gamma/delta",
                          "progs/.hidden/sub", "progs/Beta2", ".progs"})
        QVERIFY(d.mkpath(QLatin1String(p)));
    QFile f(m_root + "/file.nc");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(QFile::link(m_root + "/beta", m_root + "/link"));
    QVERIFY(QFile::link(m_root + "/file.nc", m_root + "/filelink"));
    QVERIFY(QFile::link(m_root + "/nothing", m_root + "/broken"));
    QVERIFY(QFile::link(m_root, m_dir.path() + "/alias"));
}

void TestDirTree::rootCheck_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("message");
    const QString base = m_dir.path();
    QTest::newRow("plain") << base + "/progs" << 0;
    QTest::newRow("trailing separator") << base + "/progs/" << 0;
    QTest::newRow("missing") << base + "/nothere" << 181;
    QTest::newRow("empty") << QString() << 181;
    QTest::newRow("a file") << base + "/progs/file.nc" << 181;
    QTest::newRow("hidden") << base + "/.progs" << 191;
    QTest::newRow("hidden, trailing separator") << base + "/.progs/" << 191;
    QTest::newRow("alias") << base + "/alias" << 193;
    QTest::newRow("alias, trailing separator") << base + "/alias/" << 193;
    QTest::newRow("file-system root") << "/" << 0;
    // Below the root, hidden folders and links are only left out or listed.
    QTest::newRow("below a hidden folder") << base + "/progs/.hidden/sub" << 0;
}

void TestDirTree::rootCheck()
{
    QFETCH(QString, path);
    QFETCH(int, message);
    QCOMPARE(CheckTreeRoot(path), message);
}

void TestDirTree::rootKeyAndText()
{
    QCOMPARE(TreeRootKey(m_root + "/"), m_root);
    QCOMPARE(TreeRootKey(m_root + "/beta/../Zeta"), m_root + "/Zeta");
    QCOMPARE(TreeRootKey("/"), QStringLiteral("/"));
    QCOMPARE(TreeRootText(m_root + "/"), QStringLiteral("progs"));
    QVERIFY(!TreeRootText("/").isEmpty());
    QCOMPARE(ChildKey("/", "beta"), QStringLiteral("/beta"));
}

void TestDirTree::volumeText_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("mount");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cifs share") << QByteArray("cifs") << "//server/progs" << "" << "/mnt/p" << "progs";
    QTest::newRow("windows share") << QByteArray("smb3") << "\\\\server\\progs" << "" << "/mnt/p" << "progs";
    QTest::newRow("nfs export") << QByteArray("nfs4") << "host:/export/progs/" << "" << "/mnt/n" << "progs";
    QTest::newRow("share without separator") << QByteArray("cifs") << "progs" << "" << "/mnt/p" << "progs";
    QTest::newRow("fixed drive") << QByteArray("NTFS") << "\\\\?\\Volume{1}" << "System" << "C:/" << "System (C:)";
    QTest::newRow("labelled volume") << QByteArray("ext4") << "/dev/sdb1" << "PROGS" << "/media/u/PROGS" << "PROGS";
    QTest::newRow("unlabelled volume") << QByteArray("ext4") << "/dev/sdb1" << "" << "/media/usb" << "usb";
    QTest::newRow("system root") << QByteArray("overlay") << "overlay" << "" << "/" << "/";
}

void TestDirTree::volumeText()
{
    QFETCH(QByteArray, type);
    QFETCH(QString, device);
    QFETCH(QString, label);
    QFETCH(QString, mount);
    QFETCH(QString, expected);
    QCOMPARE(VolumeRootText(type, device, label, mount), expected);
}

void TestDirTree::childrenSortedAndFiltered()
{
    DirectoryTreeModel model;
    const QModelIndex root = model.setRoot(TreeRootKey(m_root), TreeRootText(m_root));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(root).toString(), QStringLiteral("progs"));
    QCOMPARE(model.key(root), m_root);
    // Sorted without regard to case; the hidden folder, files and the broken
    // link are left out; the link to a folder is listed.
    QCOMPARE(childTexts(model, root), (QStringList{"alpha", "beta", "Beta2", "link", "Zeta"}));
    const QModelIndex beta = childNamed(model, root, "beta");
    QCOMPARE(model.key(beta), m_root + "/beta");
    QCOMPARE(model.data(beta, DirectoryTreeModel::KeyRole).toString(), m_root + "/beta");
    QCOMPARE(model.indexForKey(m_root + "/beta"), beta);
    QVERIFY(!model.data(beta, Qt::DecorationRole).value<QIcon>().isNull());
}

void TestDirTree::lazyLoading()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("a/one/deep"));
    QVERIFY(QDir(dir.path()).mkpath("empty/.hidden"));
    QVERIFY(QFile::link(dir.path() + "/a", dir.path() + "/link"));
    DirectoryTreeModel model;
    const QModelIndex root = model.setRoot(TreeRootKey(dir.path()), TreeRootText(dir.path()));
    const QModelIndex a = childNamed(model, root, "a");
    // A placeholder until opened; no expand sign without (visible) subfolders.
    QVERIFY(hasPlaceholderOnly(model, a));
    QCOMPARE(model.key(model.index(0, 0, a)), QString());
    QCOMPARE(model.rowCount(childNamed(model, root, "empty")), 0);
    model.loadChildren(a);
    QCOMPARE(childTexts(model, a), QStringList{"one"});
    QVERIFY(hasPlaceholderOnly(model, childNamed(model, a, "one")));
    QCOMPARE(model.key(childNamed(model, a, "one")), dir.path() + "/a/one");
    // The link opens as the folder it points at, under its own path.
    const QModelIndex link = childNamed(model, root, "link");
    model.loadChildren(link);
    QCOMPARE(model.key(childNamed(model, link, "one")), dir.path() + "/link/one");

    // Closed and opened again, a folder is read afresh; the root's own list
    // only on a rebuild.
    QVERIFY(QDir(dir.path()).mkpath("a/Two"));
    QVERIFY(QDir(dir.path()).mkpath("b"));
    model.addPlaceholder(a);
    QVERIFY(hasPlaceholderOnly(model, a));
    model.loadChildren(a);
    QCOMPARE(childTexts(model, a), (QStringList{"one", "Two"}));
    QCOMPARE(childTexts(model, root), (QStringList{"a", "empty", "link"}));
    model.setRoot(TreeRootKey(dir.path()), TreeRootText(dir.path()));
    QCOMPARE(childTexts(model, model.rootIndex()), (QStringList{"a", "b", "empty", "link"}));

    // A folder that lost its last subfolder loses its expand sign on collapse.
    QVERIFY(QDir(dir.path()).rmpath("a/one/deep"));
    QVERIFY(QDir(dir.path()).rmdir("a/Two"));
    const QModelIndex a2 = childNamed(model, model.rootIndex(), "a");
    model.addPlaceholder(a2);
    QCOMPARE(model.rowCount(a2), 0);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.rootIndex().isValid());
}

void TestDirTree::unreadableFolderGetsNoChildren()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not apply to root");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("locked/inner"));
    const QString locked = dir.path() + "/locked";
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    DirectoryTreeModel model;
    const QModelIndex l = childNamed(model, model.setRoot(TreeRootKey(dir.path()), TreeRootText(dir.path())), "locked");
    QVERIFY(l.isValid());
    model.loadChildren(l);
    QCOMPARE(model.rowCount(l), 0);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_MAIN(TestDirTree)
#include "tst_dirtree.moc"
