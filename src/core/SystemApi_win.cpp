#include "Platform.h"
#include "SystemApi.h"

#include <QDir>
#include <QSysInfo>
#include <QFileInfo>
#include <QProcess>

#include <qt_windows.h>
#include <memory>
#include <vector>
#include <wtsapi32.h>

QString GetPCName()
{
    wchar_t buffer[256] = {};
    DWORD size = 255;
    if (!GetComputerNameW(buffer, &size))
        return QString();
    return QString::fromWCharArray(buffer, int(size));
}

QString GetSessionUserName()
{
    LPWSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, WTSUserName,
                                     &buffer, &bytes) || !buffer)
        return QString();
    const QString name = QString::fromWCharArray(buffer);
    WTSFreeMemory(buffer);
    return name;
}

void SystemPrepareLaunch(QProcess &process, const LaunchCommand &command)
{
    process.setProgram(command.program);
    if (command.nativeCommandLine.isEmpty()) {
        process.setArguments(command.arguments);
        return;
    }
    // The command line goes to CreateProcessW exactly as the caller built it,
    // quotes and trailing blank included. CreateProcessW may write into it, so
    // it gets a buffer of its own that the modifier, kept by the process
    // object until startDetached returns, holds alive.
    const auto line = std::make_shared<std::vector<wchar_t>>(
        WritableCommandLine(command.nativeCommandLine));
    process.setCreateProcessArgumentsModifier([line](QProcess::CreateProcessArguments *args) {
        args->arguments = line->data();
        // A console editor gets a window of its own, as from the desktop.
        args->flags = (args->flags & CREATE_UNICODE_ENVIRONMENT) | NORMAL_PRIORITY_CLASS;
    });
}

int SystemLocaleId()
{
    return int(GetThreadLocale());
}

int SystemAnsiCodePage(int lcid)
{
    // 0 is a locale with no identifier, which Windows would read as the user's own.
    if (lcid == 0)
        return 0;
    wchar_t buffer[16] = {};
    if (!GetLocaleInfoW(LCID(lcid), LOCALE_IDEFAULTANSICODEPAGE, buffer, 16))
        return 0;
    bool ok = false;
    const int codePage = QString::fromWCharArray(buffer).trimmed().toInt(&ok);
    return ok ? codePage : 0;
}

static QString InstanceBaseName()
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    QString user = GetSessionUserName();
    user.replace(QLatin1Char('\\'), QLatin1Char('_'));
    // The computer too: a lock folder may be shared between computers.
    return QStringLiteral("QuorvaneSpindrelClient-%1-%2-%3").arg(QSysInfo::machineHostName(), user).arg(session);
}

QString SystemInstanceServerName()
{
    return InstanceBaseName();
}

QString SystemInstanceLockPath()
{
    return QDir::tempPath() + QLatin1Char('/') + InstanceBaseName() + QStringLiteral(".lock");
}

void SystemAllowForegroundActivation()
{
    AllowSetForegroundWindow(ASFW_ANY);
}

bool SystemShowCompiledHelp(const QString &helpFilePath, int contextNumber)
{
    if (!QFileInfo(helpFilePath).isFile())
        return false;
    using HtmlHelpFn = HWND(WINAPI *)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    if (!library)
        return false;
    // Through void (*)(), the type GCC accepts as "any function", since HtmlHelpW's own type is not FARPROC's.
    const auto htmlHelp =
        reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void (*)()>(GetProcAddress(library, "HtmlHelpW")));
    if (!htmlHelp)
        return false;
    const UINT HH_HELP_CONTEXT = 0x000F;
    const std::wstring path = QDir::toNativeSeparators(helpFilePath).toStdWString();
    return htmlHelp(nullptr, path.c_str(), HH_HELP_CONTEXT, DWORD_PTR(contextNumber)) != nullptr;
}
