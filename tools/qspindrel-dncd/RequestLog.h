#pragma once

#include <QByteArray>
#include <QString>

// Bytes as one readable, unambiguous line: printable ASCII as it is, "\\" and
// "\"" escaped with a backslash, every other byte as \xHH.
QString EscapeBytes(const QByteArray &bytes);
// The inverse, for tests and scripts; stops at the first malformed escape.
QByteArray UnescapeBytes(const QString &text);

// Writes one line to stdout at once, so that a reader of the pipe sees it.
void LogLine(const QString &line);
