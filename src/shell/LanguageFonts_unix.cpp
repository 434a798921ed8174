#include "LanguageFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace {

// The Windows faces IntlFonts names per code page, and the Noto CJK face with
// the same script's glyph forms; fontconfig would otherwise pick any CJK face
// (often the Japanese one) for a Chinese text.
struct FaceRow {
    const char16_t *windowsFace;
    const char *notoFace;
};
const FaceRow kFaces[] = {
    {u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF", "Noto Sans CJK JP"}, // MS PGothic
    {u"\u5B8B\u4F53", "Noto Sans CJK SC"},                               // SimSun
    {u"\uAD74\uB9BC", "Noto Sans CJK KR"},                               // Gulim
    {u"\u65B0\u7D30\u660E\u9AD4", "Noto Sans CJK TC"},                   // PMingLiU
};

QString InstalledFace(QFontDatabase::WritingSystem script, const QString &preferred)
{
    const QStringList faces = QFontDatabase::families(script);
    if (faces.contains(preferred))
        return preferred;
    return faces.value(0);
}

} // namespace

void UseFontsForLanguage(const QString &language)
{
    for (const FaceRow &row : kFaces) {
        const QString noto = QString::fromLatin1(row.notoFace);
        if (QFontDatabase::families().contains(noto))
            QFont::insertSubstitution(QString::fromUtf16(row.windowsFace), noto);
    }
    if (language != QLatin1String("zh_CN"))
        return;
    // Latin letters keep the default face; the Chinese ones come from the next.
    const QString face = InstalledFace(QFontDatabase::SimplifiedChinese, QStringLiteral("Noto Sans CJK SC"));
    if (face.isEmpty())
        return;
    QFont font = QGuiApplication::font();
    font.setFamilies({font.family(), face});
    QGuiApplication::setFont(font);
}
