#pragma once

#include <QString>

class QWidget;

// Adapts the fonts of one window to the system's ANSI code page: character set
// (kept as data for Windows, see the .cpp), East Asian faces and a 9-point
// minimum; nothing changes for English locales.
class CIntlFontClass
{
public:
    void SetProperFonts(QWidget *window);

    // Locale identifier of the thread (Windows) or one derived from the
    // locale's language and territory elsewhere. Tests may pass their own.
    static int CurrentLocaleId();
    static bool IsEnglishLocale(int lcid);
    // 0 when unknown.
    static int AnsiCodePageForLocale(int lcid);

    struct FontRule {
        int charset;
        QString faceName;   // empty: the platform's default face for the charset
        double minimumPointSize; // 0: size untouched
    };
    static FontRule RuleForCodePage(int codePage);

    // Same as SetProperFonts, for a given locale; what tests drive.
    void SetProperFontsForLocale(QWidget *window, int lcid);
};
