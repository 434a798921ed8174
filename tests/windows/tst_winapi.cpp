#include "CRegSettings.h"
#include "EditorCommand.h"
#include "Platform.h"
#include "TreeRoot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

using namespace Qt::StringLiterals;
using RawValue = QPair<uint, QByteArray>;

namespace {

const wchar_t *Wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

QByteArray Utf16z(const QString &text)
{
    return QByteArray(reinterpret_cast<const char *>(text.utf16()), (text.size() + 1) * 2);
}

// A value as the registry holds it, read past our code.
RawValue ReadRaw(HKEY hive, const QString &key, const QString &name, REGSAM view)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(hive, Wide(key), 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
        return {};
    QByteArray data(1024, '\0');
    DWORD type = 0;
    DWORD size = DWORD(data.size());
    const LSTATUS read = RegQueryValueExW(handle, Wide(name), nullptr, &type,
                                          reinterpret_cast<BYTE *>(data.data()), &size);
    RegCloseKey(handle);
    return read == ERROR_SUCCESS ? RawValue(type, data.left(size)) : RawValue();
}

bool WriteRaw(HKEY hive, const QString &key, const QString &name, DWORD type, const QByteArray &data)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(hive, Wide(key), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS written = RegSetValueExW(handle, Wide(name), 0, type,
                                           reinterpret_cast<const BYTE *>(data.constData()), DWORD(data.size()));
    RegCloseKey(handle);
    return written == ERROR_SUCCESS;
}

// Settings of a company of their own, so that no real setting is touched.
CRegSettings TestSettings()
{
    CRegSettings settings;
    settings.setCompany(QStringLiteral("QsWinApiTest"));
    return settings;
}

} // namespace

class tst_WinApi : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            HKEY software = nullptr;
            if (RegOpenKeyExW(hive, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software) == ERROR_SUCCESS) {
                RegDeleteTreeW(software, L"QsWinApiTest");
                RegCloseKey(software);
            }
        }
    }

    // Each value lands as the registry type and bytes other tools read, and reads back as it was. Kinds
    // other tools may leave behind (no value given) read as the default, never as their raw or expanded text.
    void registryValues_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<RawValue>("stored");
        QTest::addColumn<QVariant>("read");
        const auto text = [](const QString &t) { return RawValue(REG_SZ, Utf16z(t)); };
        const auto dword = [](const char *bytes) { return RawValue(REG_DWORD, QByteArray(bytes, 4)); };
        for (const QString &t : {u"1200"_s, u""_s, u"@Invalid()"_s, u"Ölwanne 主轴"_s})
            QTest::addRow("text \"%s\"", qPrintable(t)) << QVariant(t) << text(t) << QVariant(t);
        QTest::newRow("1200") << QVariant(1200) << dword("\xb0\x04\0\0") << QVariant(1200);
        QTest::newRow("-1") << QVariant(-1) << dword("\xff\xff\xff\xff") << QVariant(-1);
        QTest::newRow("1234.6") << QVariant(1234.6) << dword("\xd3\x04\0\0") << QVariant(1235);
        QTest::newRow("true") << QVariant(true) << dword("\xff\xff\xff\xff") << QVariant(-1);
        QTest::newRow("expandable") << QVariant() << RawValue(REG_EXPAND_SZ, Utf16z("%WINDIR%")) << QVariant(99);
        QTest::newRow("binary") << QVariant() << RawValue(REG_BINARY, QByteArray("\1\2\3\4", 4)) << QVariant(99);
    }
    void registryValues()
    {
        QFETCH(QVariant, value);
        QFETCH(RawValue, stored);
        QFETCH(QVariant, read);
        const CRegSettings settings = TestSettings();
        const QString key = settings.UserKeyPath("Settings");
        if (value.isValid()) {
            QVERIFY(settings.SaveUserSetting("Settings", "Value", value));
            QCOMPARE(ReadRaw(HKEY_CURRENT_USER, key, "Value", KEY_WOW64_32KEY), stored);
        } else {
            QVERIFY(WriteRaw(HKEY_CURRENT_USER, key, "Value", stored.first, stored.second));
        }
        const QVariant got = settings.GetUserSetting("Settings", "Value", QVariant(99));
        QCOMPARE(got, read);
        QCOMPARE(got.typeId(), read.typeId());
    }

    // The editor's key lies in the 32-bit view, where 32-bit installations wrote it; a section with
    // subkeys is not deleted.
    void registryViewAndDeletion()
    {
        const CRegSettings settings = TestSettings();
        QVERIFY(settings.SaveMachineSetting("", "Current Path", "C:\\ed\\ed.exe"));
        QString native = settings.MachineKeyPath("");
        native.replace(0, 9, u"Software\\WOW6432Node\\"_s);
        QCOMPARE(ReadRaw(HKEY_LOCAL_MACHINE, native, "Current Path", KEY_WOW64_64KEY).second,
                 Utf16z("C:\\ed\\ed.exe"));

        QVERIFY(settings.SaveUserSetting("Defaults\\Sub", "Deep", 3));
        QVERIFY(settings.SaveUserSetting("Defaults", "Top", 2));
        QVERIFY(!settings.DeleteUserSetting("Defaults", ""));
        QCOMPARE(settings.GetUserSetting("Defaults", "Top"), QVariant(2));
        QVERIFY(settings.DeleteUserSetting("Defaults\\Sub", ""));
        QVERIFY(settings.DeleteUserSetting("Defaults", ""));
        QVERIFY(!settings.GetUserSetting("Defaults", "Top").isValid());
    }

    // The editor gets exactly the command line built for it, and Windows splits it into the file and -o.
    void editorCommandLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("view");
        QTest::newRow("edit") << "C:\\NC\\A.NC" << false;
        QTest::newRow("view, blanks") << "C:\\NC PROGS\\A B.NC" << true;
        QTest::newRow("non-Latin") << u"C:\\Ölwanne\\主轴 1.nc"_s << true;
    }
    void editorCommandLine()
    {
        QFETCH(QString, file);
        QFETCH(bool, view);
        QTemporaryDir dir;
        const QString editor = dir.filePath("My Editor/argv echo.exe");
        QVERIFY(QDir().mkpath(dir.filePath("My Editor")));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/argv_echo.exe", editor));
        const LaunchCommand command = EditorCommandLine(QDir::toNativeSeparators(editor), file, view);
        QVERIFY(LaunchProgram(command, dir.path()));
        QFile out(dir.filePath("argv.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(out.exists(), 20000);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(out.readAll()).split('\n');
        lines.removeLast();
        QCOMPARE(lines.value(0), command.nativeCommandLine);
        QCOMPARE(lines.mid(1), (view ? QStringList{file, "-o"} : QStringList{file}));
    }

    // A drive root is a root whatever its separator or letter case ("C:" alone is a relative path); its
    // text is "label (C:)".
    void driveRoot()
    {
        wchar_t label[MAX_PATH + 1] = {};
        QVERIFY(GetVolumeInformationW(L"C:\\", label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0));
        for (const QString &path : {u"C:/"_s, u"c:\\"_s}) {
            DriveInfo drive;
            QVERIFY2(GetDriveInfo(path, &drive), qPrintable(path));
            QCOMPARE(drive.type, uint(DRIVE_FIXED));
            QCOMPARE(drive.driveLetter, "C");
            QCOMPARE(TreeRootText(path), QString::fromWCharArray(label) + " (C:)");
            QCOMPARE(TreeRootKey(path), "C:\\");
            QCOMPARE(int(CheckTreeRoot(path)), 0);
        }
        DriveInfo drive;
        QVERIFY(!GetDriveInfo("C:/windows", &drive));
        QCOMPARE(TreeRootText("C:/windows"), "windows");
    }

    // Attributes set through the system decide whether a folder may be the root and is listed.
    void attributes_data()
    {
        QTest::addColumn<uint>("set");
        QTest::addColumn<int>("refusal");
        QTest::newRow("plain") << uint(FILE_ATTRIBUTE_NORMAL) << 0;
        QTest::newRow("hidden") << uint(FILE_ATTRIBUTE_HIDDEN) << 191;
        QTest::newRow("system") << uint(FILE_ATTRIBUTE_SYSTEM) << 192;
        QTest::newRow("hidden and system") << uint(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) << 191;
    }
    void attributes()
    {
        QFETCH(uint, set);
        QFETCH(int, refusal);
        QTemporaryDir dir;
        const QString folder = dir.filePath("sub");
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(SetFileAttributesW(Wide(QDir::toNativeSeparators(folder)), set));
        const quint32 mask = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
        QCOMPARE(GetFileAttributesOf(folder) & mask, (set | FILE_ATTRIBUTE_DIRECTORY) & mask);
        QCOMPARE(int(CheckTreeRoot(folder)), refusal);
        QCOMPARE(ListedSubfolders(dir.path()), refusal ? QStringList() : QStringList{"sub"});
        SetFileAttributesW(Wide(QDir::toNativeSeparators(folder)), FILE_ATTRIBUTE_NORMAL);
    }
};

QTEST_GUILESS_MAIN(tst_WinApi)
#include "tst_winapi.moc"
