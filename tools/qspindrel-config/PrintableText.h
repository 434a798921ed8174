#pragma once

#include <QString>

// `text` safe to print on a terminal: control characters (C0, DEL, C1),
// format characters (direction overrides, zero-width marks), the Unicode line
// and paragraph separators and unpaired surrogates become \xHH or \u{HHHH},
// so that a value read from a database or a file cannot move the cursor,
// clear the screen or fake further lines. Everything else, backslashes
// included, is printed as it is.
QString EscapeControlCharacters(const QString &text);
