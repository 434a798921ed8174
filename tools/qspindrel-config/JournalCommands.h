#pragma once

#include "JournalEntry.h"

#include <QStringList>
#include <QTextStream>

// The request journal from the command line: listing, checking a program
// against it, and the database table. Each takes the arguments after its
// name and returns an exit status.
int ListJournal(const QStringList &arguments, QTextStream &out, QTextStream &err);
int VerifyJournal(const QStringList &arguments, QTextStream &out, QTextStream &err);
int CreateJournalTableCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

// One entry as a line of the listing (not yet escaped).
QString JournalListingLine(const JournalEntry &entry);
