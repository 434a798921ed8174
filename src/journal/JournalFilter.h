#pragma once

#include "JournalEntry.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Which entries a reader lists.
struct JournalFilter {
    QDateTime since;   // inclusive; invalid: no lower bound
    QDateTime until;   // exclusive; invalid: no upper bound
    QString machine;   // MACHINE_ID in decimal or the machine number, any case; empty: all
    QString station;   // station key, any case; empty: all
};

// A time given on the command line: "2026-12-07", "2026-12-07T14:03",
// "2026-12-07 14:03:22", each with an optional "Z" or "+01:00"; local time
// without one. As an upper bound a date covers its whole day and a time its
// whole second or minute (the bound returned is exclusive). Invalid for
// anything else.
QDateTime ParseJournalTime(const QString &text, bool upperBound);

bool MatchesJournalFilter(const JournalEntry &entry, const JournalFilter &filter);
QList<JournalEntry> FilterJournal(const QList<JournalEntry> &entries, const JournalFilter &filter);
