#include "CRegSettings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>
#include <unistd.h>

using namespace RegSettingsDetail;

Q_DECLARE_METATYPE(std::optional<qint32>)

// Every test runs against its own XDG_CONFIG_HOME and XDG_CONFIG_DIRS.
class tst_RegSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void companyAndAppName_data();
    void companyAndAppName();
    void keyPaths();
    void iniLocation_data();
    void iniLocation();
    void iniValueRoundTrip_data();
    void iniValueRoundTrip();
    void decodeHandWritten_data();
    void decodeHandWritten();
    void toDword_data();
    void toDword();

    void userValuesKeepTheirKind_data();
    void userValuesKeepTheirKind();
    void userFileLocation();
    void unnamedValue();
    void fullKeyPathWithoutAppPath();
    void companyAndAppNameChooseTheFile();
    void missingGivesDefault();
    void otherKindsGiveDefault();
    void machineReadsFirstFolderThatHasTheFile();
    void machineWritesFirstFolder();
    void saveFailures();
    void unreadableFileGivesDefault();
    void readOnlyFileRefusesSave();
    void deleteValueAndSection();

private:
    QString userFile(const QString &relative) const { return m_home->filePath(relative); }
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QTemporaryDir> m_system1;
    std::unique_ptr<QTemporaryDir> m_system2;
};

void tst_RegSettings::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    m_system1 = std::make_unique<QTemporaryDir>();
    m_system2 = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_home->path().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (m_system1->path() + ':' + m_system2->path()).toLocal8Bit());
}

void tst_RegSettings::cleanup()
{
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
}

void tst_RegSettings::companyAndAppName_data()
{
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("appName");
    QTest::addColumn<QString>("expectedCompany");
    QTest::addColumn<QString>("expectedAppName");
    QTest::newRow("trimmed") << "  Acme\t" << " Shop " << "Acme" << "Shop";
    QTest::newRow("empty restores") << "" << "" << "Quorvane" << "Quorvane Spindrel Client";
    QTest::newRow("blanks restore") << "   " << " \t " << "Quorvane" << "Quorvane Spindrel Client";
    QTest::newRow("inner blanks kept") << "A  B" << "C D" << "A  B" << "C D";
}

void tst_RegSettings::companyAndAppName()
{
    QFETCH(QString, company);
    QFETCH(QString, appName);
    CRegSettings settings;
    settings.setCompany(QStringLiteral("Other"));
    settings.setAppName(QStringLiteral("Other"));
    settings.setCompany(company);
    settings.setAppName(appName);
    QTEST(settings.Company(), "expectedCompany");
    QTEST(settings.AppName(), "expectedAppName");
}

void tst_RegSettings::keyPaths()
{
    CRegSettings settings;
    QCOMPARE(settings.UserKeyPath(QString()), QStringLiteral("Software\\Quorvane\\Quorvane Spindrel Client"));
    QCOMPARE(settings.UserKeyPath("Defaults"), QStringLiteral("Software\\Quorvane\\Quorvane Spindrel Client\\Defaults"));
    QCOMPARE(settings.MachineKeyPath(QString()), QStringLiteral("Software\\Quorvane\\Editor"));
    settings.setAppName("Other App");
    QCOMPARE(settings.MachineKeyPath("A\\B"), QStringLiteral("Software\\Quorvane\\Editor\\A\\B"));
}

void tst_RegSettings::iniLocation_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("group");
    QTest::newRow("app key") << "Software\\Quorvane\\Quorvane Spindrel Client" << true
                             << "Quorvane/Quorvane Spindrel Client.ini" << "";
    QTest::newRow("section") << "Software\\Quorvane\\Quorvane Spindrel Client\\Settings" << true
                             << "Quorvane/Quorvane Spindrel Client.ini" << "Settings";
    QTest::newRow("nested") << "SOFTWARE\\Quorvane\\Editor\\A\\B" << true << "Quorvane/Editor.ini" << "A/B";
    QTest::newRow("company only") << "Software\\Other" << true << "Other.ini" << "";
    QTest::newRow("no Software") << "Other\\Place" << true << "Other/Place.ini" << "";
    QTest::newRow("empty") << "" << false << "" << "";
    QTest::newRow("double separator") << "Software\\\\Other" << false << "" << "";
    QTest::newRow("trailing separator") << "Software\\Other\\" << false << "" << "";
    QTest::newRow("climbs out") << "Software\\..\\..\\etc\\passwd" << false << "" << "";
    QTest::newRow("dot") << "Software\\.\\x" << false << "" << "";
    QTest::newRow("slash inside") << "Software\\a/../../b\\c" << false << "" << "";
}

void tst_RegSettings::iniLocation()
{
    QFETCH(QString, keyPath);
    QFETCH(bool, valid);
    const auto location = IniLocationForKey(keyPath);
    QCOMPARE(location.has_value(), valid);
    if (valid) {
        QTEST(location->file, "file");
        QTEST(location->group, "group");
    }
}

void tst_RegSettings::iniValueRoundTrip_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("text") << QVariant("C:\\CNC\\config.mdb") << "C:\\CNC\\config.mdb";
    QTest::newRow("number as text") << QVariant("1200") << "1200";
    QTest::newRow("empty text") << QVariant(QString("")) << "";
    QTest::newRow("text like an integer") << QVariant("dword:000004b0") << "sz:dword:000004b0";
    QTest::newRow("text with the escape") << QVariant("sz:x") << "sz:sz:x";
    QTest::newRow("upper-case look-alike") << QVariant("DWORD:1") << "sz:DWORD:1";
    QTest::newRow("integer") << QVariant(1200) << "dword:000004b0";
    QTest::newRow("zero") << QVariant(0) << "dword:00000000";
    QTest::newRow("minus one") << QVariant(-1) << "dword:ffffffff";
    QTest::newRow("lowest") << QVariant(std::numeric_limits<qint32>::min()) << "dword:80000000";
}

void tst_RegSettings::iniValueRoundTrip()
{
    QFETCH(QVariant, value);
    QTEST(EncodeIniValue(value), "encoded");
    const QVariant decoded = DecodeIniValue(QVariant(EncodeIniValue(value)));
    QCOMPARE(decoded.typeId(), value.typeId());
    QCOMPARE(decoded, value);
}

void tst_RegSettings::decodeHandWritten_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("plain number is text") << "4500" << QVariant("4500");
    QTest::newRow("short hex") << "dword:10" << QVariant(16);
    QTest::newRow("bad hex stays text") << "dword:xyz" << QVariant("dword:xyz");
    QTest::newRow("too long stays text") << "dword:123456789" << QVariant("dword:123456789");
    QTest::newRow("no digits stays text") << "dword:" << QVariant("dword:");
    QTest::newRow("signed stays text") << "dword:-1" << QVariant("dword:-1");
}

void tst_RegSettings::decodeHandWritten()
{
    QFETCH(QString, stored);
    QFETCH(QVariant, expected);
    const QVariant decoded = DecodeIniValue(QVariant(stored));
    QCOMPARE(decoded.typeId(), expected.typeId());
    QCOMPARE(decoded, expected);
}

void tst_RegSettings::toDword_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<std::optional<qint32>>("expected");
    QTest::newRow("1234.6") << QVariant(1234.6) << std::optional<qint32>(1235);
    QTest::newRow("-1234.6") << QVariant(-1234.6) << std::optional<qint32>(-1235);
    QTest::newRow("half to even down") << QVariant(1234.5) << std::optional<qint32>(1234);
    QTest::newRow("half to even up") << QVariant(1235.5) << std::optional<qint32>(1236);
    QTest::newRow("float") << QVariant(2.4f) << std::optional<qint32>(2);
    QTest::newRow("true") << QVariant(true) << std::optional<qint32>(-1);
    QTest::newRow("false") << QVariant(false) << std::optional<qint32>(0);
    QTest::newRow("int64 in range") << QVariant(qlonglong(-5)) << std::optional<qint32>(-5);
    QTest::newRow("int64 too big") << QVariant(qlonglong(1) << 40) << std::optional<qint32>();
    QTest::newRow("uint64 too big") << QVariant(qulonglong(1) << 63) << std::optional<qint32>();
    QTest::newRow("largest") << QVariant(2147483647.4) << std::optional<qint32>(2147483647);
    QTest::newRow("double too big") << QVariant(2147483647.6) << std::optional<qint32>();
    QTest::newRow("nan") << QVariant(std::nan("")) << std::optional<qint32>();
    QTest::newRow("infinity") << QVariant(HUGE_VAL) << std::optional<qint32>();
    QTest::newRow("nothing") << QVariant() << std::optional<qint32>();
    QTest::newRow("byte array") << QVariant(QByteArray("12")) << std::optional<qint32>();
}

void tst_RegSettings::toDword()
{
    QFETCH(QVariant, value);
    QFETCH(std::optional<qint32>, expected);
    QCOMPARE(ToDword(value), expected);
}

void tst_RegSettings::userValuesKeepTheirKind_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("text 1200") << "Defaults" << QVariant("1200") << QVariant("1200");
    QTest::newRow("integer 1200") << "Defaults" << QVariant(1200) << QVariant(1200);
    QTest::newRow("empty text is not the default") << "Settings" << QVariant(QString("")) << QVariant(QString(""));
    QTest::newRow("1234.6 stores 1235") << "Defaults" << QVariant(1234.6) << QVariant(1235);
    QTest::newRow("no section") << "" << QVariant("top") << QVariant("top");
    QTest::newRow("nested section") << "A\\B" << QVariant(-7) << QVariant(-7);
    QTest::newRow("text with ; and ,") << "Settings" << QVariant("a;b, c = d") << QVariant("a;b, c = d");
    QTest::newRow("text with @") << "Settings" << QVariant("@Variant(x)") << QVariant("@Variant(x)");
    QTest::newRow("non-Latin text") << "Settings" << QVariant("Ölwanne 主轴") << QVariant("Ölwanne 主轴");
}

void tst_RegSettings::userValuesKeepTheirKind()
{
    QFETCH(QString, section);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QVERIFY(CRegSettings().SaveUserSetting(section, "Value", value));
    const QVariant read = CRegSettings().GetUserSetting(section, "Value", QVariant(99));
    QCOMPARE(read.typeId(), expected.typeId());
    QCOMPARE(read, expected);
}

void tst_RegSettings::userFileLocation()
{
    QVERIFY(CRegSettings().SaveUserSetting("Settings", "Database", "/srv/dnc/config.sqlite"));
    const QString file = userFile("Quorvane/Quorvane Spindrel Client.ini");
    QVERIFY(QFile::exists(file));
    QSettings raw(file, QSettings::IniFormat);
    QCOMPARE(raw.value("Settings/Database").toString(), QStringLiteral("/srv/dnc/config.sqlite"));
}

void tst_RegSettings::unnamedValue()
{
    CRegSettings settings;
    QVERIFY(settings.SaveUserSetting("Settings", "*", "unnamed"));
    QVERIFY(settings.SaveUserSetting("Settings", "Named", 5));
    QCOMPARE(settings.GetUserSetting("Settings", "*"), QVariant("unnamed"));
    QCOMPARE(settings.GetUserSetting("Settings", "Named"), QVariant(5));
    QVERIFY(settings.DeleteUserSetting("Settings", "*"));
    QCOMPARE(settings.GetUserSetting("Settings", "*", "gone"), QVariant("gone"));
    QCOMPARE(settings.GetUserSetting("Settings", "Named"), QVariant(5));
}

void tst_RegSettings::fullKeyPathWithoutAppPath()
{
    CRegSettings settings;
    QVERIFY(settings.SaveUserSetting("Software\\Other\\Place", "Where", "here", false));
    QVERIFY(QFile::exists(userFile("Other/Place.ini")));
    QCOMPARE(settings.GetUserSetting("Software\\Other\\Place", "Where", QVariant(), false), QVariant("here"));
    // The same section name with the application path is another key.
    QCOMPARE(settings.GetUserSetting("Software\\Other\\Place", "Where", "none"), QVariant("none"));

    QVERIFY(settings.SaveMachineSetting("Software\\Vendor\\Tool\\Paths", "Bin", 3, false));
    QVERIFY(QFile::exists(m_system1->filePath("Vendor/Tool.ini")));
    QCOMPARE(settings.GetMachineSetting("Software\\Vendor\\Tool\\Paths", "Bin", QVariant(), false), QVariant(3));

    QVERIFY(!settings.SaveUserSetting("Software\\..\\..\\x", "Where", "here", false));
    QCOMPARE(settings.GetUserSetting("", "Where", "d", false), QVariant("d"));
}

void tst_RegSettings::companyAndAppNameChooseTheFile()
{
    CRegSettings settings;
    settings.setCompany(" Acme ");
    settings.setAppName("Lathe Cell");
    QVERIFY(settings.SaveUserSetting("S", "K", 1));
    QVERIFY(settings.SaveMachineSetting("", "Current Path", "/opt/edit"));
    QVERIFY(QFile::exists(userFile("Acme/Lathe Cell.ini")));
    // The editor key ignores the application name.
    QVERIFY(QFile::exists(m_system1->filePath("Acme/Editor.ini")));
    QCOMPARE(CRegSettings().GetUserSetting("S", "K", "other file"), QVariant("other file"));
}

void tst_RegSettings::missingGivesDefault()
{
    CRegSettings settings;
    QVERIFY(!settings.GetUserSetting("Defaults", "SFViewLeft").isValid());
    QCOMPARE(settings.GetUserSetting("Defaults", "SFViewLeft", 1000), QVariant(1000));
    QVERIFY(settings.SaveUserSetting("Defaults", "SFViewTop", 5));
    QCOMPARE(settings.GetUserSetting("Defaults", "SFViewLeft", 1000), QVariant(1000));
    QCOMPARE(settings.GetUserSetting("Other", "SFViewTop", 1000), QVariant(1000));
    QCOMPARE(settings.GetMachineSetting("", "Current Path", ""), QVariant(QString("")));
    QVERIFY(!settings.GetMachineSetting("", "Current Path").isValid());
}

void tst_RegSettings::otherKindsGiveDefault()
{
    QDir(m_home->path()).mkpath("Quorvane");
    QFile file(userFile("Quorvane/Quorvane Spindrel Client.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nList=a, b\nBytes=@ByteArray(xy)\nPlain=4500\n");
    file.close();
    CRegSettings settings;
    QCOMPARE(settings.GetUserSetting("Settings", "List", "d"), QVariant("d"));
    QCOMPARE(settings.GetUserSetting("Settings", "Bytes", "d"), QVariant("d"));
    QCOMPARE(settings.GetUserSetting("Settings", "Plain", "d"), QVariant("4500"));
}

void tst_RegSettings::machineReadsFirstFolderThatHasTheFile()
{
    QDir(m_system2->path()).mkpath("Quorvane");
    {
        QSettings second(m_system2->filePath("Quorvane/Editor.ini"), QSettings::IniFormat);
        second.setValue("Current Path", "/usr/bin/second-editor");
    }
    CRegSettings settings;
    QCOMPARE(settings.GetMachineSetting("", "Current Path"), QVariant("/usr/bin/second-editor"));

    // Once the first folder has the file, it wins even without the value.
    QVERIFY(settings.SaveMachineSetting("", "Other", 1));
    QVERIFY(!settings.GetMachineSetting("", "Current Path").isValid());
    QVERIFY(settings.SaveMachineSetting("", "Current Path", "/usr/bin/first-editor"));
    QCOMPARE(settings.GetMachineSetting("", "Current Path"), QVariant("/usr/bin/first-editor"));
}

void tst_RegSettings::machineWritesFirstFolder()
{
    CRegSettings settings;
    QVERIFY(settings.SaveMachineSetting("", "Current Path", "/opt/qspindrel-edit"));
    QVERIFY(QFile::exists(m_system1->filePath("Quorvane/Editor.ini")));
    QVERIFY(!QFile::exists(m_system2->filePath("Quorvane/Editor.ini")));
    // Editor settings and user settings are separate files.
    QVERIFY(!settings.GetUserSetting("", "Current Path").isValid());
}

void tst_RegSettings::saveFailures()
{
    CRegSettings settings;
    // The configuration folder is a file: nothing can be created below it.
    QTemporaryDir other;
    QFile blocker(other.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());
    QVERIFY(!settings.SaveUserSetting("Settings", "Database", "x"));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));

    // The settings file is a folder.
    qputenv("XDG_CONFIG_HOME", m_home->path().toLocal8Bit());
    QVERIFY(QDir(m_home->path()).mkpath("Quorvane/Quorvane Spindrel Client.ini"));
    QVERIFY(!settings.SaveUserSetting("Settings", "Database", "x"));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));
    QVERIFY(!settings.DeleteUserSetting("Settings", "Database"));

    // Values that are neither text nor numbers are not stored.
    QVERIFY(!settings.SaveMachineSetting("", "Bad", QVariant()));
    QVERIFY(!settings.SaveMachineSetting("", "Bad", 1e12));
    QVERIFY(!QFile::exists(m_system1->filePath("Quorvane/Editor.ini")));
}

void tst_RegSettings::unreadableFileGivesDefault()
{
    if (geteuid() == 0)
        QSKIP("permissions do not stop root");
    CRegSettings settings;
    QVERIFY(settings.SaveUserSetting("Settings", "Database", "x"));
    QFile file(userFile("Quorvane/Quorvane Spindrel Client.ini"));
    QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));
    // Saving would replace the unreadable file with one value only.
    QVERIFY(!settings.SaveUserSetting("Settings", "Other", "y"));
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("x"));
}

void tst_RegSettings::readOnlyFileRefusesSave()
{
    if (geteuid() == 0)
        QSKIP("permissions do not stop root");
    CRegSettings settings;
    QVERIFY(settings.SaveMachineSetting("", "Current Path", "/a"));
    QFile file(m_system1->filePath("Quorvane/Editor.ini"));
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
    QVERIFY(!settings.SaveMachineSetting("", "Current Path", "/b"));
    QCOMPARE(settings.GetMachineSetting("", "Current Path"), QVariant("/a"));
    // A read-only folder where the file does not exist yet.
    QVERIFY(QFile::remove(file.fileName()));
    QFile folder(m_system1->filePath("Quorvane"));
    QVERIFY(folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QVERIFY(!settings.SaveMachineSetting("", "Current Path", "/b"));
    QVERIFY(folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

void tst_RegSettings::deleteValueAndSection()
{
    CRegSettings settings;
    QVERIFY(settings.SaveUserSetting("Defaults", "SFViewLeft", 1));
    QVERIFY(settings.SaveUserSetting("Defaults", "SFViewTop", 2));
    QVERIFY(settings.SaveUserSetting("Defaults\\Sub", "Deep", 3));
    QVERIFY(settings.SaveUserSetting("Settings", "Database", "db"));

    QVERIFY(settings.DeleteUserSetting("Defaults", "SFViewLeft"));
    QVERIFY(!settings.GetUserSetting("Defaults", "SFViewLeft").isValid());
    QCOMPARE(settings.GetUserSetting("Defaults", "SFViewTop"), QVariant(2));
    QVERIFY(!settings.DeleteUserSetting("Defaults", "SFViewLeft"));
    // A subkey is not a value.
    QVERIFY(!settings.DeleteUserSetting("Defaults", "Sub"));

    QVERIFY(settings.DeleteUserSetting("Defaults", ""));
    QVERIFY(!settings.GetUserSetting("Defaults", "SFViewTop").isValid());
    QVERIFY(!settings.GetUserSetting("Defaults\\Sub", "Deep").isValid());
    QCOMPARE(settings.GetUserSetting("Settings", "Database"), QVariant("db"));
    QVERIFY(!settings.DeleteUserSetting("Defaults", ""));
    QVERIFY(!settings.DeleteUserSetting("", ""));
}

QTEST_GUILESS_MAIN(tst_RegSettings)
#include "tst_regsettings.moc"
