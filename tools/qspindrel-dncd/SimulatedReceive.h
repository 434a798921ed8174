#pragma once

#include <QByteArray>
#include <QString>

// Stands in for a control that uploads a program: a request whose command word
// is the receive command writes a small sample program at the requested path,
// but only inside the root folder it was given.
class SimulatedReceive
{
public:
    SimulatedReceive(const QString &root, const QString &receiveCommand);

    bool isValid() const { return !m_root.isEmpty(); }
    QString root() const { return m_root; }

    // Handles one request line. Returns an empty string when the request is
    // not a receive; otherwise what was done, for the log.
    QString handle(const QByteArray &line) const;

    // The absolute path to write for `path`, or an empty string with *why set
    // when it is not a plain file inside the root: relative paths, ".."
    // components, parents that resolve (through links) outside the root, and
    // links or folders at the path itself are all refused.
    QString resolveInsideRoot(const QString &path, QString *why) const;

    static QByteArray sampleProgram(const QString &fileName);

private:
    QString m_root;  // canonical, without trailing separator
    QString m_receiveCommand;
};
