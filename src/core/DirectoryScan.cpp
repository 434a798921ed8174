#include "DirectoryScan.h"

#include "Platform.h"

bool ShowsAsFolder(quint32 attributes)
{
    return (attributes & FileAttributeDirectory)
        && !(attributes & (FileAttributeHidden | FileAttributeSystem));
}

bool ShowsAsFile(quint32 attributes)
{
    return !(attributes & (FileAttributeDirectory | FileAttributeHidden | FileAttributeSystem));
}
