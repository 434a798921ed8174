#include "LanguageFonts.h"

// Windows keeps the code page's faces of IntlFonts, which it has installed.
void UseFontsForLanguage(const QString &)
{
}
