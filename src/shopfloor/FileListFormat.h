#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

// The file list's display rules, kept apart from the model so tests reach them.

// The size value of a file: its size in bytes / 1024 + 1 (not rounded).
double FileSizeValue(qint64 bytes);
// The size value rounded to whole KB, halves upward: 0 bytes -> 1, 600 -> 2,
// 1024 -> 2, 2047 -> 3.
qint64 FileSizeKB(qint64 bytes);
// SizeInKb "%1 KB" with the rounded value grouped by `locale`.
QString FileSizeText(qint64 bytes, const QLocale &locale = QLocale());

// The locale's long time format without a time-zone part (h:mm:ss AP rather
// than h:mm:ss AP t).
QString LongTimeFormat(const QLocale &locale = QLocale());
// Short date, one blank, long time of a local date-time.
QString FileTimeText(const QDateTime &local, const QLocale &locale = QLocale());

// True when `extensions` is empty or holds the name's extension without
// regard to case. The extension is "." plus the text after the last dot; a
// name without a dot (or ending in one) has the extension ".".
bool ExtensionMatches(QStringView name, const QStringList &extensions);
