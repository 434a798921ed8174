#pragma once

#include <QString>

// Faces with the glyphs of `language` where the code page's faces of
// IntlFonts are not installed; called before any window is made.
void UseFontsForLanguage(const QString &language);
