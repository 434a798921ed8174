#include "FolderQuestions.h"

#include "DirectoryScan.h"

#include "FileNameCodec.h"
#include "Platform.h"
#include "TreeRoot.h"

#include <algorithm>

namespace {

bool lessByName(const SubfolderEntry &a, const SubfolderEntry &b)
{
    const int c = a.name.compare(b.name, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.name < b.name;
}

} // namespace

SubfolderListing ReadSubfolders(const QString &directory)
{
    SubfolderListing listing;
    QStringList names;
    listing.readable = ScanSubfolders(directory, [&](QStringView name) {
        names.append(name.toString());
        return true;
    });
    listing.entries.reserve(size_t(names.size()));
    for (const QString &name : std::as_const(names))
        listing.entries.push_back({name, HasListedSubfolder(ChildKey(directory, name))});
    std::sort(listing.entries.begin(), listing.entries.end(), lessByName);
    return listing;
}

RootProbe ProbeTreeRoot(const QString &directory)
{
    RootProbe probe;
    probe.verdict = CheckTreeRoot(directory);
    if (probe.verdict == MessageId::None) {
        probe.key = TreeRootKey(directory);
        probe.text = TreeRootText(directory);
    }
    return probe;
}

PathProbe ProbePath(const QString &path)
{
    PathProbe probe;
    probe.folder = !path.isEmpty() && FolderExists(path);
    probe.file = !probe.folder && FileExists(path);
    if (probe.folder || probe.file)
        probe.attributes = GetFileAttributesOf(path);
    return probe;
}
