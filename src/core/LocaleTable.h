#pragma once

#include <QLocale>

// Windows locale identifiers and their ANSI code pages, as data, for systems
// whose locales are named by language and territory instead.

// The identifier for a language/territory (and script, for Chinese); the
// language's main identifier when the territory is not listed; 0 when the
// language is not listed. The C locale counts as English (United States).
int LocaleIdFor(QLocale::Language language, QLocale::Territory territory,
                QLocale::Script script = QLocale::AnyScript);

// The default ANSI code page of a locale identifier; 0 when unknown.
int AnsiCodePageForLocaleId(int lcid);
