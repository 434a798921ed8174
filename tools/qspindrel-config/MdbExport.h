#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// The rows of one table as mdb-export writes them (comma-separated, header
// line, text-like fields between double quotes with inner quotes doubled).
// A field without quotes is a number, or null when it is empty; a quoted
// field is text, so "" stays the empty text and is not taken for null.
struct TableRows {
    QStringList columns;
    QList<QVariantList> rows;
};

// Unquoted whole numbers become int (qlonglong beyond 32 bits), other
// numbers double, anything else unquoted stays text. Empty when the text is
// not such a file; *error then says where it broke.
std::optional<TableRows> ParseMdbExport(const QByteArray &csv, QString *error = nullptr);

// Table names from "mdb-tables -1" output, one per line.
QStringList ParseMdbTableList(const QByteArray &output);
