#include "CRegSettings.h"
#include "FileBytes.h"
#include "IniSettings.h"
#include "Registry.h"
#include "TestSupport.h"

#include <QFile>
#include <QOperatingSystemVersion>
#include <QSettings>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace RegSettingsDetail;

static QByteArray utf16(const QString &text) { return QStringEncoder(QStringEncoder::Utf16LE)(text); }

// Every test runs against its own XDG_CONFIG_HOME and XDG_CONFIG_DIRS.
class tst_RegSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // Windows keeps these values in the registry (tests/windows); only the plain functions apply there.
        static const QSet<QByteArray> plain{"iniLocation", "registryValueKinds"};
        if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows
            && !plain.contains(QTest::currentTestFunction()))
            QSKIP("the INI files are the store outside Windows");
        m_root = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path("home").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (path("sys1") + ':' + path("sys2")).toLocal8Bit());
    }
    void iniLocation_data()
    {
        QTest::addColumn<QString>("keyPath");
        QTest::addColumn<QString>("location"); // file|group, empty when refused
        QTest::newRow("nested") << "SOFTWARE\\Quorvane\\Editor\\A\\B" << "Quorvane/Editor.ini|A/B";
        QTest::newRow("no Software") << "Other\\Place" << "Other/Place.ini|";
        for (const char *bad : {"", "Software\\\\Other", "Software\\..\\..\\etc\\passwd", "Software\\a/../../b\\c"})
            QTest::addRow("bad \"%s\"", bad) << bad << "";
    }
    void iniLocation()
    {
        QFETCH(QString, keyPath);
        const auto location = IniLocationForKey(keyPath);
        QTEST(location ? location->file + '|' + location->group : QString(), "location");
    }
    // Values the program saves, and (with `written`) values of a file written by hand: names in any case,
    // values as one text, and the program's own write stays readable by QSettings' INI reader.
    void valuesKeepTheirKind_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QVariant>("expected");  // 99: the default
        // Numbers as 32 bits: nearest, half to even; true is -1.
        QTest::newRow("1234.6 stores 1235") << "Defaults" << QVariant(1234.6) << QByteArray() << QVariant(1235);
        QTest::newRow("1234.5 stores 1234") << "Defaults" << QVariant(1234.5) << QByteArray() << QVariant(1234);
        QTest::newRow("true stores -1") << "Defaults" << QVariant(true) << QByteArray() << QVariant(-1);
        QTest::newRow("no section") << "" << QVariant("top") << QByteArray() << QVariant("top");
        QTest::newRow("nested section") << "A\\B" << QVariant(-7) << QByteArray() << QVariant(-7);
        // Neither text nor a number of 32 bits: not stored, the default read.
        QTest::newRow("not stored: null") << "Settings" << QVariant() << QByteArray() << QVariant(99);
        QTest::newRow("not stored: 2147483647.6") << "Settings" << QVariant(2147483647.6) << QByteArray() << QVariant(99);
        QTest::newRow("not stored: NaN") << "Settings" << QVariant(std::nan("")) << QByteArray() << QVariant(99);
        // Text stays text (even when it looks like a kind), integers stay integers, empty text is not the default.
        for (const QVariant &v : {QVariant("1200"), QVariant(1200), QVariant(std::numeric_limits<int>::min()),
                                  QVariant(QString("")), QVariant("a;b, c = d"), QVariant("@Variant(x)"),
                                  QVariant("dword:000004b0"), QVariant("DWORD:1"), QVariant(QString::fromUtf8("Ölwanne 主轴")),
                                  QVariant("say \"hi\", \\\"no\\\""), QVariant("  padded "), QVariant("tab\there\n"),
                                  QVariant(u"\u3000ideographic space\u00a0"_s), QVariant(u"lone "_s + QChar(0xD800) + u"a surrogate"_s)})
            QTest::addRow("%s %s", v.typeName(), qPrintable(v.toString())) << "Settings" << v << QByteArray() << v;
        const QList<std::pair<QByteArray, QVariant>> written{
            {"/srv/dnc/hall 1, line 2/config.db", "/srv/dnc/hall 1, line 2/config.db"}, {"\" a, b \"", " a, b "},
            {"say \"hi\" twice", "say \"hi\" twice"}, {"C:\\\\DNC\\\\Config.mdb", "C:\\DNC\\Config.mdb"},
            {"C:\\DNC\\Config.mdb", "C:\\DNC\\Config.mdb"}, {"Zürich – Halle 3", QString::fromUtf8("Zürich – Halle 3")}, {"   x y   ", "x y"},
            // Byte arrays are no registry kind; short hex is an integer, long or bad hex and a plain number are text.
            {"@ByteArray(xy)", 99}, {"4500", "4500"}, {"dword:10", 16}, {"dword:123456789", "dword:123456789"},
            {"dword:xyz", "dword:xyz"}};
        for (const auto &[text, expected] : written)
            QTest::addRow("written: %s", text.constData()) << "Settings" << QVariant() << text << expected;
    }
    void valuesKeepTheirKind()
    {
        QFETCH(QString, section);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, written);
        QFETCH(QVariant, expected);
        if (written.isNull())
            QCOMPARE(CRegSettings().SaveUserSetting(section, "Value", value), expected != QVariant(99));
        else
            QVERIFY(WriteFileBytes(userFile(),
                                   "[settings]\nvalue=" + written + "\n[DEFAULTS]\nsfviewstate=dword:00000000\n"));
        CRegSettings settings;
        const QVariant read = settings.GetUserSetting(section, "Value", QVariant(99));
        QCOMPARE(read.typeId(), expected.typeId());
        QCOMPARE(read, expected);
        if (value.typeId() == QMetaType::Int && value.toInt() == 1200) // as other tools write a REG_DWORD
            QCOMPARE(QSettings(userFile(), QSettings::IniFormat).value("Settings/Value"), QVariant("dword:000004b0"));
        if (!written.isNull()) {
            QVERIFY(settings.SaveUserSetting("Defaults", "SFViewState", 2));
            QCOMPARE(QSettings(userFile(), QSettings::IniFormat).allKeys().size(), 2);
        }
    }
    // A write changes the line of its value or adds one to its section; the rest
    // of a hand-written file stays byte for byte.
    void writeChangesOneLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");  // in Settings
        QTest::addColumn<QByteArray>("after");  // empty: refused, nothing changed
        const QByteArray handWritten = "; plant settings\n[Settings]\n# the database\n  Database = old  \n\nno equals sign\n"
                                       "[Defaults]\nSFViewLeft=dword:00000001\n";
        QTest::newRow("comments kept, value replaced") << handWritten << "database"
            << QByteArray("; plant settings\n[Settings]\n# the database\n  Database =new\n\nno equals sign\n"
                          "[Defaults]\nSFViewLeft=dword:00000001\n");
        QTest::newRow("new value after the section's last") << handWritten << "Other"
            << QByteArray("; plant settings\n[Settings]\n# the database\n  Database = old  \nOther=new\n\nno equals sign\n"
                          "[Defaults]\nSFViewLeft=dword:00000001\n");
        QTest::newRow("CRLF and byte-order mark kept") << QByteArray("\xEF\xBB\xBF[settings]\r\nA=1\r\n") << "Other"
                                                       << QByteArray("\xEF\xBB\xBF[settings]\r\nA=1\r\nOther=new\r\n");
        QTest::newRow("new section") << QByteArray("[Defaults]\nX=1") << "Database" << QByteArray("[Defaults]\nX=1\n[Settings]\nDatabase=new");
        QTest::newRow("not UTF-8: refused") << QByteArray("; Z\xFCrich\n[Settings]\nDatabase=old\n") << "Database" << QByteArray();
    }
    void writeChangesOneLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        QVERIFY(WriteFileBytes(userFile(), before));
        CRegSettings settings;
        QCOMPARE(settings.SaveUserSetting("Settings", key, "new"), !after.isEmpty());
        QCOMPARE(ReadFileBytes(userFile()), after.isEmpty() ? before : after);
        // What could be read is read all the same.
        if (after.isEmpty())
            QCOMPARE(settings.GetUserSetting("Settings", "Database"), QVariant("old"));
    }
    // The machine's file is the first folder's that has it; a write goes to the first folder,
    // which then wins.
    void machineFileFromTheFirstFolder()
    {
        QDir().mkpath(path("sys2/Quorvane"));
        QSettings(path("sys2/Quorvane/Editor.ini"), QSettings::IniFormat).setValue("Current Path", "/usr/bin/second");
        CRegSettings settings;
        QCOMPARE(settings.GetMachineSetting("", "Current Path"), QVariant("/usr/bin/second"));
        QVERIFY(!settings.GetUserSetting("", "Current Path").isValid());
        QVERIFY(settings.SaveMachineSetting("", "Other", 1));
        QVERIFY(!settings.GetMachineSetting("", "Current Path").isValid());
    }
    void saveFailures()
    {
        CRegSettings settings;
        QVERIFY(settings.SaveUserSetting("Settings", "Database", "x"));
        // The settings file is a folder.
        QVERIFY(QFile::remove(userFile()) && QDir().mkpath(userFile()));
        QVERIFY(!settings.SaveUserSetting("Settings", "Database", "y"));
        QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));
        QVERIFY(QDir(userFile()).removeRecursively());
        if (!PermissionsBind())
            QSKIP("permissions do not stop root");
        // Saving must not replace an unreadable file with one value only.
        QVERIFY(settings.SaveUserSetting("Settings", "Database", "x"));
        QVERIFY(QFile::setPermissions(userFile(), QFileDevice::WriteOwner));
        QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));
        QVERIFY(!settings.SaveUserSetting("Settings", "Other", "y"));
        QVERIFY(QFile::setPermissions(userFile(), QFileDevice::ReadOwner));
        QVERIFY(!settings.SaveUserSetting("Settings", "Database", "y"));
        QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("x"));
    }
    // Malformed registry data reads as the text up to its end or first NUL, else as
    // the default "d"; what the program writes is tst_winapi's, on a real registry.
    void registryValueKinds_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QVariant>("expected");
        const QByteArray nul(2, '\0');
        QTest::newRow("text to the first NUL") << 1u << utf16("a") + nul + utf16("b") + nul << QVariant("a");
        QTest::newRow("dword of 2 bytes") << 4u << QByteArray("\x30\x04", 2) << QVariant("d");
    }
    void registryValueKinds()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(QVariant, expected);
        const QVariant value = RegistryValueFromData(type, data, QVariant("d"));
        QCOMPARE(value, expected);
        QCOMPARE(value.typeId(), expected.typeId());
    }

private:
    // home/ is the user's folder, sys1/ and sys2/ the machine-wide ones.
    QString path(const QString &relative) const { return m_root->filePath(relative); }
    QString userFile() const { return path("home/Quorvane/Quorvane Spindrel Client.ini"); }
    std::unique_ptr<QTemporaryDir> m_root;
};

QTEST_GUILESS_MAIN(tst_RegSettings)
#include "tst_regsettings.moc"
