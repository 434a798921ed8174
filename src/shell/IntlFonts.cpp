#include "IntlFonts.h"

#include "SystemApi.h"

#include <QFont>
#include <QFontDatabase>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <iterator>

namespace {

// Thread locales whose primary language is English, sublanguages 1 to 13:
// these keep the fonts the windows were designed with.
const int kEnglishLocales[] = {0x0409, 0x0809, 0x0C09, 0x1009, 0x1409, 0x1809, 0x1C09,
                               0x2009, 0x2409, 0x2809, 0x2C09, 0x3009, 0x3409};

struct CodePageRow {
    int codePage;
    int charset;         // Windows GDI character set
    const char16_t *face; // nullptr: the default face for the character set
    double minimumPointSize;
};

const CodePageRow kCodePages[] = {
    {1250, 238, nullptr, 0},
    {1251, 204, nullptr, 0},
    {1252, 0, nullptr, 0},
    {1253, 161, nullptr, 0},
    {1254, 162, nullptr, 0},
    {1255, 177, nullptr, 0},
    {1256, 178, nullptr, 0},
    {1257, 186, nullptr, 0},
    {932, 128, u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF", 9}, // MS PGothic
    {936, 134, u"\u5B8B\u4F53", 9},                               // SimSun
    {949, 129, u"\uAD74\uB9BC", 9},                               // Gulim
    {950, 136, u"\u65B0\u7D30\u660E\u9AD4", 9},                   // PMingLiU
};

const int kDefaultCharset = 1;

// The character set has no place in a Qt font. It is kept on the widget under
// this property: the Windows font mapping is what would use it, and tests read
// it there.
const char kCharsetProperty[] = "fontCharset";

QString DefaultFace()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

double PointSize(const QFont &font, const QWidget *widget)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    if (font.pixelSize() > 0 && widget->logicalDpiY() > 0)
        return font.pixelSize() * 72.0 / widget->logicalDpiY();
    return 0;
}

void SetFontForCodePage(QWidget *control, int codePage)
{
    const CIntlFontClass::FontRule rule = CIntlFontClass::RuleForCodePage(codePage);
    QFont font = control->font();
    control->setProperty(kCharsetProperty, rule.charset);
    font.setFamily(rule.faceName.isEmpty() ? DefaultFace() : rule.faceName);
    if (rule.minimumPointSize > 0) {
        const double size = PointSize(font, control);
        if (size > 0 && size < rule.minimumPointSize)
            font.setPointSizeF(rule.minimumPointSize);
    }
    control->setFont(font);
}

} // namespace

int CIntlFontClass::CurrentLocaleId()
{
    return SystemLocaleId();
}

bool CIntlFontClass::IsEnglishLocale(int lcid)
{
    return std::find(std::begin(kEnglishLocales), std::end(kEnglishLocales), lcid)
        != std::end(kEnglishLocales);
}

int CIntlFontClass::AnsiCodePageForLocale(int lcid)
{
    return SystemAnsiCodePage(lcid);
}

CIntlFontClass::FontRule CIntlFontClass::RuleForCodePage(int codePage)
{
    for (const CodePageRow &row : kCodePages) {
        if (row.codePage == codePage)
            return {row.charset, row.face ? QString::fromUtf16(row.face) : QString(),
                    row.minimumPointSize};
    }
    return {kDefaultCharset, QString(), 0};
}

void CIntlFontClass::SetProperFonts(QWidget *window)
{
    SetProperFontsForLocale(window, CurrentLocaleId());
}

void CIntlFontClass::SetProperFontsForLocale(QWidget *window, int lcid)
{
    if (!window || IsEnglishLocale(lcid))
        return;
    const int codePage = AnsiCodePageForLocale(lcid);

    QFont own = window->font();
    own.setFamily(DefaultFace());
    window->setFont(own);

    // Timers, sockets and other objects without a font are no widgets and
    // are passed over; dialogs owned by the window adapt their own fonts.
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control->window() == window)
            SetFontForCodePage(control, codePage);
    }
}
