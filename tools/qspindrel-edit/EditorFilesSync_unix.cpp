#include "EditorFiles.h"

#include <unistd.h>

bool SyncToDisk(QFile &file)
{
    return ::fsync(file.handle()) == 0;
}
