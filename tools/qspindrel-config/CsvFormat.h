#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One field of a CSV record. An empty field written without quotes stands for
// a database null, a quoted empty field ("") for the empty text.
struct CsvField {
    QString text;
    bool quoted = false;
    bool isNull() const { return !quoted && text.isEmpty(); }
};

struct CsvRecord {
    int line = 0; // the line of the file the record starts on, from 1
    QList<CsvField> fields;
};

// Reads RFC 4180 text in UTF-8 (an initial byte-order mark is skipped; lines
// may end in CRLF or LF). Fails on a stray quote, an unclosed quoted field or
// bytes that are not UTF-8, naming the line.
std::optional<QList<CsvRecord>> ParseCsv(const QByteArray &data, QString *error);

// One record as RFC 4180 text ending in CRLF. A null field is written empty,
// an empty text as "". Fields with a separator, quote, line break or blanks
// at either end are quoted.
struct CsvOutField {
    QString text;
    bool isNull = false;
};
QByteArray CsvLine(const QList<CsvOutField> &fields);

// Spreadsheets run a cell that begins with = + - @ (or with a tab, CR or
// byte-order mark) as a formula. Such a cell gets a leading apostrophe, and so
// does one that begins with an apostrophe already, so that taking one off
// gives back every text exactly.
QString GuardSpreadsheetCell(const QString &text);
QString UnguardSpreadsheetCell(const QString &text);
