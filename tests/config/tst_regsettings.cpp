#include "CRegSettings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
#include <cmath>
#include <limits>
#include <unistd.h>

using namespace RegSettingsDetail;
using Dword = std::optional<qint32>;
Q_DECLARE_METATYPE(Dword)

// Every test runs against its own XDG_CONFIG_HOME and XDG_CONFIG_DIRS.
class tst_RegSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void companyAndAppName();
    void iniLocation_data();
    void iniLocation();
    void iniValue_data();
    void iniValue();
    void toDword_data();
    void toDword() { QFETCH(QVariant, value); QTEST(ToDword(value), "expected"); }

    void userValuesKeepTheirKind_data();
    void userValuesKeepTheirKind();
    void keyPathChoosesTheFile();
    void missingOrOtherKindGivesDefault();
    void machineReadsFirstFolderThatHasTheFile();
    void saveFailures();
    void permissionsRefuseSave();
    void deleteValueAndSection();

private:
    // home/ is the user's folder, sys1/ and sys2/ the machine-wide ones.
    QString path(const QString &relative) const { return m_root->filePath(relative); }
    QString userFile() const { return path("home/Quorvane/Quorvane Spindrel Client.ini"); }
    std::unique_ptr<QTemporaryDir> m_root;
};

void tst_RegSettings::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", path("home").toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (path("sys1") + ':' + path("sys2")).toLocal8Bit());
}

void tst_RegSettings::companyAndAppName()
{
    CRegSettings settings;
    settings.setCompany("  A  B\t");
    settings.setAppName(" C D ");
    QCOMPARE(settings.Company(), u"A  B"_s);
    QCOMPARE(settings.UserKeyPath("X\\Y"), u"Software\\A  B\\C D\\X\\Y"_s);
    // The editor key ignores the application name.
    QCOMPARE(settings.MachineKeyPath(QString()), u"Software\\A  B\\Editor"_s);
    // Blank or empty restores the defaults.
    settings.setCompany(" \t ");
    settings.setAppName(QString());
    QCOMPARE(settings.AppName(), u"Quorvane Spindrel Client"_s);
    QCOMPARE(settings.UserKeyPath(QString()), u"Software\\Quorvane\\Quorvane Spindrel Client"_s);
}

void tst_RegSettings::iniLocation_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("file"); // empty: no valid location
    QTest::addColumn<QString>("group");
    QTest::newRow("nested") << "SOFTWARE\\Quorvane\\Editor\\A\\B" << "Quorvane/Editor.ini" << "A/B";
    QTest::newRow("company only") << "Software\\Other" << "Other.ini" << "";
    QTest::newRow("no Software") << "Other\\Place" << "Other/Place.ini" << "";
    for (const char *bad : {"", "Software\\\\Other", "Software\\Other\\", "Software\\..\\..\\etc\\passwd",
                            "Software\\.\\x", "Software\\a/../../b\\c"})
        QTest::addRow("bad \"%s\"", bad) << bad << "" << "";
}

void tst_RegSettings::iniLocation()
{
    QFETCH(QString, keyPath);
    QFETCH(QString, file);
    const auto location = IniLocationForKey(keyPath);
    QCOMPARE(location.has_value(), !file.isEmpty());
    if (location) {
        QCOMPARE(location->file, file);
        QTEST(location->group, "group");
    }
}

void tst_RegSettings::iniValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("written"); // false: hand-written, not what the value is saved as
    // As saved: text as it is unless it starts like a kind; integers as 8 hex digits.
    const QList<std::pair<QVariant, const char *>> saved{
        {"C:\\CNC\\config.mdb", "C:\\CNC\\config.mdb"}, {"dword:000004b0", "sz:dword:000004b0"}, {"sz:x", "sz:sz:x"},
        {"DWORD:1", "sz:DWORD:1"}, {1200, "dword:000004b0"}, {0, "dword:00000000"}, {-1, "dword:ffffffff"},
        {std::numeric_limits<qint32>::min(), "dword:80000000"}};
    for (const auto &[value, stored] : saved)
        QTest::addRow("%s %s", value.typeName(), stored) << value << stored << true;
    // Hand-written: short hex is an integer; anything else malformed stays text.
    QTest::newRow("short hex") << QVariant(16) << "dword:10" << false;
    for (const char *text : {"dword:xyz", "dword:123456789", "dword:", "dword:-1"})
        QTest::newRow(text) << QVariant(text) << text << false;
}

void tst_RegSettings::iniValue()
{
    QFETCH(QVariant, value);
    QFETCH(QString, stored);
    QFETCH(bool, written);
    if (written)
        QCOMPARE(EncodeIniValue(value), stored);
    const QVariant decoded = DecodeIniValue(QVariant(stored));
    QCOMPARE(decoded.typeId(), value.typeId());
    QCOMPARE(decoded, value);
}

void tst_RegSettings::toDword_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<Dword>("expected");
    // Nearest, half to even; true is -1; out of range and not numbers give nothing.
    const QList<std::pair<QVariant, Dword>> cases{
        {1234.6, 1235}, {-1234.6, -1235}, {1234.5, 1234}, {1235.5, 1236}, {2.4f, 2}, {true, -1}, {false, 0},
        {qlonglong(-5), -5}, {qlonglong(1) << 40, {}}, {qulonglong(1) << 63, {}}, {2147483647.4, 2147483647},
        {2147483647.6, {}}, {std::nan(""), {}}, {HUGE_VAL, {}}, {QVariant(), {}}, {QByteArray("12"), {}}};
    for (const auto &[value, expected] : cases)
        QTest::addRow("%s %s", value.typeName(), qPrintable(value.toString())) << value << expected;
}

void tst_RegSettings::userValuesKeepTheirKind_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("1234.6 stores 1235") << "Defaults" << QVariant(1234.6) << QVariant(1235);
    QTest::newRow("no section") << "" << QVariant("top") << QVariant("top");
    QTest::newRow("nested section") << "A\\B" << QVariant(-7) << QVariant(-7);
    // Text stays text, integers stay integers, empty text is not the default.
    for (const QVariant &v : {QVariant("1200"), QVariant(1200), QVariant(QString("")), QVariant("a;b, c = d"),
                              QVariant("@Variant(x)"), QVariant(QString::fromUtf8("Ölwanne 主轴"))})
        QTest::addRow("%s %s", v.typeName(), qPrintable(v.toString())) << "Settings" << v << v;
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

void tst_RegSettings::keyPathChoosesTheFile()
{
    CRegSettings settings;
    QVERIFY(settings.SaveUserSetting("Software\\Other\\Place", "Where", "here", false));
    QVERIFY(QFile::exists(path("home/Other/Place.ini")));
    QCOMPARE(settings.GetUserSetting("Software\\Other\\Place", "Where", QVariant(), false), QVariant("here"));
    // The same section name with the application path is another key.
    QCOMPARE(settings.GetUserSetting("Software\\Other\\Place", "Where", "none"), QVariant("none"));

    QVERIFY(settings.SaveMachineSetting("Software\\Vendor\\Tool\\Paths", "Bin", 3, false));
    QVERIFY(QFile::exists(path("sys1/Vendor/Tool.ini")));
    QCOMPARE(settings.GetMachineSetting("Software\\Vendor\\Tool\\Paths", "Bin", QVariant(), false), QVariant(3));

    QVERIFY(!settings.SaveUserSetting("Software\\..\\..\\x", "Where", "here", false));
    QCOMPARE(settings.GetUserSetting("", "Where", "d", false), QVariant("d"));

    settings.setCompany(" Acme ");
    settings.setAppName("Lathe Cell");
    QVERIFY(settings.SaveUserSetting("S", "K", 1));
    QVERIFY(settings.SaveMachineSetting("", "Current Path", "/opt/edit"));
    QVERIFY(QFile::exists(path("home/Acme/Lathe Cell.ini")));
    QVERIFY(QFile::exists(path("sys1/Acme/Editor.ini")));
    QCOMPARE(CRegSettings().GetUserSetting("S", "K", "other file"), QVariant("other file"));
}

void tst_RegSettings::missingOrOtherKindGivesDefault()
{
    CRegSettings settings;
    QVERIFY(!settings.GetUserSetting("Defaults", "SFViewLeft").isValid());
    QVERIFY(settings.SaveUserSetting("Defaults", "SFViewTop", 5));
    QCOMPARE(settings.GetUserSetting("Defaults", "SFViewLeft", 1000), QVariant(1000));
    QCOMPARE(settings.GetUserSetting("Other", "SFViewTop", 1000), QVariant(1000));
    QCOMPARE(settings.GetMachineSetting("", "Current Path", ""), QVariant(QString("")));

    // Hand-written: lists and byte arrays are no registry kind; a plain number is text.
    QFile file(userFile());
    QVERIFY(file.open(QIODevice::Append));
    file.write("[Settings]\nList=a, b\nBytes=@ByteArray(xy)\nPlain=4500\n");
    file.close();
    QCOMPARE(settings.GetUserSetting("Settings", "List", "d"), QVariant("d"));
    QCOMPARE(settings.GetUserSetting("Settings", "Bytes", "d"), QVariant("d"));
    QCOMPARE(settings.GetUserSetting("Settings", "Plain", "d"), QVariant("4500"));
    QCOMPARE(settings.GetUserSetting("Defaults", "SFViewTop"), QVariant(5));
}

void tst_RegSettings::machineReadsFirstFolderThatHasTheFile()
{
    QDir().mkpath(path("sys2/Quorvane"));
    QSettings(path("sys2/Quorvane/Editor.ini"), QSettings::IniFormat).setValue("Current Path", "/usr/bin/second-editor");
    CRegSettings settings;
    QCOMPARE(settings.GetMachineSetting("", "Current Path"), QVariant("/usr/bin/second-editor"));
    // Editor settings and user settings are separate files.
    QVERIFY(!settings.GetUserSetting("", "Current Path").isValid());

    // Writing goes to the first folder, which then wins even without the value.
    QVERIFY(settings.SaveMachineSetting("", "Other", 1));
    QVERIFY(QFile::exists(path("sys1/Quorvane/Editor.ini")));
    QVERIFY(!settings.GetMachineSetting("", "Current Path").isValid());
    QVERIFY(settings.SaveMachineSetting("", "Current Path", "/usr/bin/first-editor"));
    QCOMPARE(settings.GetMachineSetting("", "Current Path"), QVariant("/usr/bin/first-editor"));
    QCOMPARE(QSettings(path("sys2/Quorvane/Editor.ini"), QSettings::IniFormat).allKeys(), QStringList{"Current Path"});
}

void tst_RegSettings::saveFailures()
{
    CRegSettings settings;
    // The configuration folder is a file: nothing can be created below it.
    QFile blocker(path("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());
    QVERIFY(!settings.SaveUserSetting("Settings", "Database", "x"));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));

    // The settings file is a folder.
    qputenv("XDG_CONFIG_HOME", path("home").toLocal8Bit());
    QVERIFY(QDir().mkpath(userFile()));
    QVERIFY(!settings.SaveUserSetting("Settings", "Database", "x"));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));
    QVERIFY(!settings.DeleteUserSetting("Settings", "Database"));

    // Values that are neither text nor numbers are not stored.
    QVERIFY(!settings.SaveMachineSetting("", "Bad", QVariant()));
    QVERIFY(!settings.SaveMachineSetting("", "Bad", 1e12));
    QVERIFY(!QFile::exists(path("sys1/Quorvane/Editor.ini")));
}

void tst_RegSettings::permissionsRefuseSave()
{
    if (geteuid() == 0)
        QSKIP("permissions do not stop root");
    CRegSettings settings;
    QVERIFY(settings.SaveUserSetting("Settings", "Database", "x"));
    QFile file(userFile());
    QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("d"));
    // Saving would replace the unreadable file with one value only.
    QVERIFY(!settings.SaveUserSetting("Settings", "Other", "y"));
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
    QVERIFY(!settings.SaveUserSetting("Settings", "Database", "y"));
    QCOMPARE(settings.GetUserSetting("Settings", "Database", "d"), QVariant("x"));

    // A read-only folder where the file does not exist yet.
    QFile folder(path("sys1/Quorvane"));
    QVERIFY(QDir().mkpath(folder.fileName()));
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
    QVERIFY(!settings.DeleteUserSetting("Defaults", "Sub")); // a subkey is not a value

    QVERIFY(settings.DeleteUserSetting("Defaults", ""));
    QVERIFY(!settings.GetUserSetting("Defaults", "SFViewTop").isValid());
    QVERIFY(!settings.GetUserSetting("Defaults\\Sub", "Deep").isValid());
    QCOMPARE(settings.GetUserSetting("Settings", "Database"), QVariant("db"));
    QVERIFY(!settings.DeleteUserSetting("Defaults", ""));
    QVERIFY(!settings.DeleteUserSetting("", ""));

    QVERIFY(settings.SaveUserSetting("Settings", "*", "unnamed"));
    QCOMPARE(settings.GetUserSetting("Settings", "*"), QVariant("unnamed"));
    QVERIFY(settings.DeleteUserSetting("Settings", "*"));
    QCOMPARE(settings.GetUserSetting("Settings", "*", "gone"), QVariant("gone"));
    QCOMPARE(settings.GetUserSetting("Settings", "Database"), QVariant("db"));
}

QTEST_GUILESS_MAIN(tst_RegSettings)
#include "tst_regsettings.moc"
