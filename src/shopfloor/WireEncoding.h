#pragma once

#include "Verdict.h"

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <optional>

// The encoding of request lines: the ANSI code page on Windows, the locale's
// encoding elsewhere.
QStringConverter::Encoding DefaultWireEncoding();

// `text` in `encoding`, or nothing when any character cannot be written in it
// exactly (a best-fit or replacement character would name another file).
std::optional<QByteArray> EncodeForWire(const QString &text,
                                        QStringConverter::Encoding encoding = DefaultWireEncoding());

// The refusal when `text` cannot be sent in the wire encoding.
Verdict WireEncodingRefusal(const QString &text);
