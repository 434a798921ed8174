#pragma once

#include "RootFolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// Stands in for a control that uploads a program: a request whose command word
// is the receive command writes a small sample program at the requested path,
// but only inside the root folder it was given.
class SimulatedReceive
{
public:
    SimulatedReceive(const QString &root, const QString &receiveCommand);

    bool isValid() const { return m_root->isOpen(); }
    QString root() const { return m_root->path(); }

    // Handles one request line. Returns an empty string when the request is
    // not a receive; otherwise what was done, for the log: what was written
    // where, or why nothing was.
    QString handle(const QByteArray &line) const;

    // The names from the root down to the file for `path`, or an empty list
    // with *why set: relative paths, "." and ".." components and paths that
    // do not begin with the root (as given or canonical) are refused, and so
    // are control characters and line or paragraph separators. Links
    // are refused later, while writing.
    QStringList namesInsideRoot(const QString &path, QString *why) const;

    static QByteArray sampleProgram(const QString &fileName);

private:
    std::shared_ptr<const RootFolder> m_root;
    QString m_givenRoot; // absolute, cleaned
    QString m_receiveCommand;
};
