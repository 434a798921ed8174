#pragma once

#include "MessageId.h"

#include <QString>
#include <QStringList>

#include <vector>

// The questions the windows ask of the folder reader (FolderReader.h). Each
// is a plain function that blocks as long as the file system does: call it
// on a worker, never on the UI thread.

// The subfolders the tree shows below `directory`, sorted by name without
// regard to case, each with whether it has such subfolders itself.
struct SubfolderEntry {
    QString name;
    bool hasSubfolders = false;
};
struct SubfolderListing {
    bool readable = false;       // the directory could be opened
    std::vector<SubfolderEntry> entries;
};
SubfolderListing ReadSubfolders(const QString &directory);

// What the tree needs of its root: the refusal (CheckTreeRoot) and, when
// accepted, the root node's key and text.
struct RootProbe {
    MessageId verdict = MessageId::RootNotFound;
    QString key;
    QString text;
};
RootProbe ProbeTreeRoot(const QString &directory);

// One path: whether a folder or a plain file is there, and its attribute bits
// (Platform.h; InvalidFileAttributes when unknown).
struct PathProbe {
    bool folder = false;
    bool file = false;
    quint32 attributes = 0xFFFFFFFF;
};
PathProbe ProbePath(const QString &path);

// Names of the questions, for FolderReader::ask.
inline QString SubfoldersQuestion() { return QStringLiteral("subfolders"); }
inline QString RootQuestion() { return QStringLiteral("root"); }
inline QString PathQuestion() { return QStringLiteral("path"); }
