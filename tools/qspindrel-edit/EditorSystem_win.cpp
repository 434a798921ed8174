#include "EditorDocument.h"
#include "EditorFiles.h"

#include <windows.h>

// Qt keeps no C descriptor for a file opened by name here: a second handle
// flushes the same file.
bool SyncToDisk(QFile &file)
{
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(file.fileName().utf16()), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(handle);
    CloseHandle(handle);
    return flushed;
}

EditorDocument::LineEnding NativeLineEnding()
{
    return EditorDocument::LineEnding::CrLf;
}
