#include "EditorDocument.h"
#include "EditorFiles.h"

#include <unistd.h>

bool SyncToDisk(QFile &file)
{
    return ::fsync(file.handle()) == 0;
}

EditorDocument::LineEnding NativeLineEnding()
{
    return EditorDocument::LineEnding::Lf;
}
