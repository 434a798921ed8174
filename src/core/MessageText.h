#pragma once

#include <QString>

// Entry `number` (101..199, and our own from 1001) of the string table with the first "%1".."%5" replaced
// by each non-empty argument, in order; "###STRING RESOURCE ERROR###" when
// there is no such entry.
QString GetMessageText(int number, const QString &a1 = QString(), const QString &a2 = QString(),
                       const QString &a3 = QString(), const QString &a4 = QString(),
                       const QString &a5 = QString());
