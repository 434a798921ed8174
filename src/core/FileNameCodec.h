#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// File names between the bytes the system stores and QString, without loss.
// A name that is not valid in the locale's encoding (Latin-1 names of old
// programs on a UTF-8 system) keeps each offending byte as one of the
// characters U+DC80..U+DCFF, which no valid text holds alone, so that the
// very bytes come back for the next system call. On Windows names are text
// already and both directions are the plain conversions.
QString DecodeFileName(QByteArrayView bytes);
QByteArray EncodeFileName(const QString &name);

// The character that stands for the byte b (0x80..0xFF) is
// RawFileNameByteBase + b; RawFileNameByte gives the byte that the character
// at `i` of `name` stands for, or -1.
constexpr char16_t RawFileNameByteBase = 0xDC00;
int RawFileNameByte(const QString &name, qsizetype i);

// True when `name` holds such a byte.
bool HasRawFileNameBytes(const QString &name);
// `name` for people: each such byte shown as U+FFFD.
QString DisplayFileName(const QString &name);
