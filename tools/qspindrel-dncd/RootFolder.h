#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A folder held open, so that writes below it reach it whatever happens to
// its path meanwhile. Each write walks down from it one name at a time and
// never follows a symbolic link, so a folder swapped for a link while a
// write is under way makes the write fail instead of landing elsewhere.
class RootFolder
{
public:
    explicit RootFolder(const QString &path);
    ~RootFolder();
    RootFolder(const RootFolder &) = delete;
    RootFolder &operator=(const RootFolder &) = delete;

    bool isOpen() const;
    // Canonical, without a trailing separator; empty when it cannot be opened.
    QString path() const { return m_path; }

    // Replaces the plain file `names.last()` in the folder that `names`
    // leads to (each an existing folder, no links) with `bytes`, through a
    // temporary file renamed over it, so a reader never sees half a file.
    // False with *why set when a name is missing, a link or of the wrong kind.
    bool writeFile(const QStringList &names, const QByteArray &bytes, QString *why) const;

private:
    QString m_path;
    int m_fd = -1;
};
