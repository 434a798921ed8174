#pragma once

#include "MessageId.h"

#include <QString>
#include <QStringList>

// Texts are shown in the language of the installed translator (English when
// none is installed or it lacks the entry).

// Entry `number` (101..199, and our own from 1001) of the string table with the first "%1".."%5" replaced
// by each non-empty argument, in order; "###STRING RESOURCE ERROR###" when
// there is no such entry.
QString GetMessageText(int number, const QString &a1 = QString(), const QString &a2 = QString(),
                       const QString &a3 = QString(), const QString &a4 = QString(),
                       const QString &a5 = QString());

// The entry by name. The system's are filled as above; our own fill every
// "%1".."%5" in one pass, as QString::arg does, so that an argument holding
// "%2" stays as it is.
QString GetMessageText(MessageId id, const QString &a1 = QString(), const QString &a2 = QString(),
                       const QString &a3 = QString(), const QString &a4 = QString(),
                       const QString &a5 = QString());
QString GetMessageText(MessageId id, const QStringList &args);

// The English entry, unfilled: for texts that are stored or sent (a default
// remote command), which never depend on the operator's language.
QString GetEnglishText(MessageId id);
