#pragma once

#include "JournalEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The journal's files in one folder. Lines go to "journal.jsonl"; before a
// line would take it beyond the size limit it becomes "journal.1.jsonl", the
// older ones move up by one and the one beyond the file count goes.
QString JournalFileName(int generation);

// Appends one line at a time. A line lands whole or not at all: a write that
// falls short (a full disk) is cut back, so the lines before stay as they
// were and the file never ends in half a line. Not thread-safe; the station
// uses it from one thread.
class JournalFileWriter
{
public:
    JournalFileWriter(const QString &folder, qint64 maxFileBytes, int maxFiles);

    // Creates the folder when needed. False, with the reason, when the line
    // could not be written.
    bool append(const QByteArray &line, QString *error = nullptr);

private:
    bool rotate(QString *error);
    QString path(int generation) const;

    QString m_folder;
    qint64 m_maxFileBytes;
    int m_maxFiles;
};

// Every entry in the folder's files, oldest file first and in time order, with
// the notes about database failures folded into their entries. Lines that are
// no journal records are skipped and counted in *skipped. False only when a
// file exists but cannot be read.
bool ReadJournalFolder(const QString &folder, QList<JournalEntry> *entries, QString *error = nullptr,
                       int *skipped = nullptr);

// The same for text already read (one file's content, or several joined).
QList<JournalEntry> ParseJournalText(const QByteArray &text, int *skipped = nullptr);
