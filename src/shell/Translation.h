#pragma once

#include <QString>
#include <QStringList>

// The language of the station and the wizard: "de", "es", "zh_CN" or "en".

// The first of `uiLanguages` (QLocale's "de-DE" form, most wanted first) that
// has a translation, or `forced` when it names one ("en" included); "en" when
// none fits.
QString PickLanguage(const QString &forced, const QStringList &uiLanguages);

// Installs the translation of `language` for the whole application (texts,
// help pages, fonts); English needs none. Returns the language in use.
QString InstallTranslation(const QString &language);

// The language installed last; "en" before any.
QString CurrentLanguage();
