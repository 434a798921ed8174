#include "Translation.h"

#include "LanguageFonts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

const char *const kTranslated[] = {"de", "es", "zh_CN"};

QString gLanguage = QStringLiteral("en");

// "zh-Hans-CN", "zh_CN" and "zh-CN" all ask for Simplified Chinese; "de-AT" for German.
QString Translated(QString wish)
{
    wish.replace(QLatin1Char('-'), QLatin1Char('_'));
    if (wish.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 || wish.startsWith(QLatin1String("en_")))
        return QStringLiteral("en");
    if (wish.startsWith(QLatin1String("zh"))) {
        const bool traditional = wish.contains(QLatin1String("Hant")) || wish.endsWith(QLatin1String("_TW"))
            || wish.endsWith(QLatin1String("_HK")) || wish.endsWith(QLatin1String("_MO"));
        return traditional ? QString() : QStringLiteral("zh_CN");
    }
    const QString primary = wish.section(QLatin1Char('_'), 0, 0).toLower();
    for (const char *language : kTranslated) {
        if (primary == QLatin1String(language))
            return primary;
    }
    return QString();
}

} // namespace

QString PickLanguage(const QString &forced, const QStringList &uiLanguages)
{
    const QString chosen = Translated(forced.trimmed());
    if (!chosen.isEmpty())
        return chosen;
    for (const QString &wish : uiLanguages) {
        const QString language = Translated(wish);
        if (!language.isEmpty())
            return language;
    }
    return QStringLiteral("en");
}

QString InstallTranslation(const QString &language)
{
    // Ours and Qt's own (the message box's buttons), both embedded.
    static QList<QTranslator *> installed;
    for (QTranslator *translator : std::as_const(installed)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed.clear();
    gLanguage = QStringLiteral("en");
    if (language != gLanguage) {
        for (const QString &catalog : {QStringLiteral("qtbase"), QStringLiteral("qspindrel")}) {
            auto *translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(QStringLiteral(":/i18n/%1_%2.qm").arg(catalog, language))
                && QCoreApplication::installTranslator(translator)) {
                installed << translator;
                if (catalog == QLatin1String("qspindrel"))
                    gLanguage = language;
            } else {
                delete translator;
            }
        }
    }
    UseFontsForLanguage(gLanguage);
    return gLanguage;
}

QString CurrentLanguage()
{
    return gLanguage;
}
