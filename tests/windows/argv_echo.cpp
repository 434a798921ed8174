// Writes the command line it was started with, exactly, and the words Windows splits it into, one per
// line in UTF-8, to argv.txt in its working folder (through argv.tmp, so a reader never sees half of it).
#include <windows.h>
#include <shellapi.h>

#include <string>

static std::string Utf8(const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size > 0 ? size - 1 : 0), '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

int main()
{
    const wchar_t *line = GetCommandLineW();
    std::string out = Utf8(line) + '\n';
    int count = 0;
    if (wchar_t **words = CommandLineToArgvW(line, &count)) {
        for (int i = 1; i < count; ++i)
            out += Utf8(words[i]) + '\n';
        LocalFree(words);
    }
    const HANDLE file = CreateFileW(L"argv.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, out.data(), DWORD(out.size()), &written, nullptr);
    CloseHandle(file);
    return ok && MoveFileExW(L"argv.tmp", L"argv.txt", MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
