#include "LocaleTable.h"

namespace {

struct LocaleRow {
    QLocale::Language language;
    QLocale::Territory territory; // AnyTerritory: the language's main locale
    int lcid;
    int codePage; // 0: Unicode-only locale
};

// For each language the first row is its main locale.
const LocaleRow kLocales[] = {
    {QLocale::English, QLocale::UnitedStates, 0x0409, 1252},
    {QLocale::English, QLocale::UnitedKingdom, 0x0809, 1252},
    {QLocale::English, QLocale::Australia, 0x0C09, 1252},
    {QLocale::English, QLocale::Canada, 0x1009, 1252},
    {QLocale::English, QLocale::NewZealand, 0x1409, 1252},
    {QLocale::English, QLocale::Ireland, 0x1809, 1252},
    {QLocale::English, QLocale::SouthAfrica, 0x1C09, 1252},
    {QLocale::English, QLocale::Jamaica, 0x2009, 1252},
    {QLocale::English, QLocale::Belize, 0x2809, 1252},
    {QLocale::English, QLocale::TrinidadAndTobago, 0x2C09, 1252},
    {QLocale::English, QLocale::Zimbabwe, 0x3009, 1252},
    {QLocale::English, QLocale::Philippines, 0x3409, 1252},
    {QLocale::English, QLocale::India, 0x4009, 1252},
    {QLocale::English, QLocale::Singapore, 0x4809, 1252},
    {QLocale::German, QLocale::Germany, 0x0407, 1252},
    {QLocale::German, QLocale::Switzerland, 0x0807, 1252},
    {QLocale::German, QLocale::Austria, 0x0C07, 1252},
    {QLocale::German, QLocale::Luxembourg, 0x1007, 1252},
    {QLocale::German, QLocale::Liechtenstein, 0x1407, 1252},
    {QLocale::French, QLocale::France, 0x040C, 1252},
    {QLocale::French, QLocale::Belgium, 0x080C, 1252},
    {QLocale::French, QLocale::Canada, 0x0C0C, 1252},
    {QLocale::French, QLocale::Switzerland, 0x100C, 1252},
    {QLocale::French, QLocale::Luxembourg, 0x140C, 1252},
    {QLocale::Italian, QLocale::Italy, 0x0410, 1252},
    {QLocale::Italian, QLocale::Switzerland, 0x0810, 1252},
    {QLocale::Spanish, QLocale::Spain, 0x0C0A, 1252},
    {QLocale::Spanish, QLocale::Mexico, 0x080A, 1252},
    {QLocale::Spanish, QLocale::Argentina, 0x2C0A, 1252},
    {QLocale::Spanish, QLocale::Chile, 0x340A, 1252},
    {QLocale::Spanish, QLocale::Colombia, 0x240A, 1252},
    {QLocale::Portuguese, QLocale::Brazil, 0x0416, 1252},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816, 1252},
    {QLocale::Dutch, QLocale::Netherlands, 0x0413, 1252},
    {QLocale::Dutch, QLocale::Belgium, 0x0813, 1252},
    {QLocale::Danish, QLocale::AnyTerritory, 0x0406, 1252},
    {QLocale::Swedish, QLocale::AnyTerritory, 0x041D, 1252},
    {QLocale::NorwegianBokmal, QLocale::AnyTerritory, 0x0414, 1252},
    {QLocale::NorwegianNynorsk, QLocale::AnyTerritory, 0x0814, 1252},
    {QLocale::Finnish, QLocale::AnyTerritory, 0x040B, 1252},
    {QLocale::Icelandic, QLocale::AnyTerritory, 0x040F, 1252},
    {QLocale::Catalan, QLocale::AnyTerritory, 0x0403, 1252},
    {QLocale::Basque, QLocale::AnyTerritory, 0x042D, 1252},
    {QLocale::Galician, QLocale::AnyTerritory, 0x0456, 1252},
    {QLocale::Indonesian, QLocale::AnyTerritory, 0x0421, 1252},
    {QLocale::Malay, QLocale::AnyTerritory, 0x043E, 1252},
    {QLocale::Afrikaans, QLocale::AnyTerritory, 0x0436, 1252},
    {QLocale::Polish, QLocale::AnyTerritory, 0x0415, 1250},
    {QLocale::Czech, QLocale::AnyTerritory, 0x0405, 1250},
    {QLocale::Slovak, QLocale::AnyTerritory, 0x041B, 1250},
    {QLocale::Hungarian, QLocale::AnyTerritory, 0x040E, 1250},
    {QLocale::Slovenian, QLocale::AnyTerritory, 0x0424, 1250},
    {QLocale::Croatian, QLocale::AnyTerritory, 0x041A, 1250},
    {QLocale::Romanian, QLocale::AnyTerritory, 0x0418, 1250},
    {QLocale::Albanian, QLocale::AnyTerritory, 0x041C, 1250},
    {QLocale::Bosnian, QLocale::AnyTerritory, 0x141A, 1250},
    {QLocale::Russian, QLocale::AnyTerritory, 0x0419, 1251},
    {QLocale::Ukrainian, QLocale::AnyTerritory, 0x0422, 1251},
    {QLocale::Bulgarian, QLocale::AnyTerritory, 0x0402, 1251},
    {QLocale::Belarusian, QLocale::AnyTerritory, 0x0423, 1251},
    {QLocale::Serbian, QLocale::AnyTerritory, 0x0C1A, 1251},
    {QLocale::Macedonian, QLocale::AnyTerritory, 0x042F, 1251},
    {QLocale::Kazakh, QLocale::AnyTerritory, 0x043F, 1251},
    {QLocale::Greek, QLocale::AnyTerritory, 0x0408, 1253},
    {QLocale::Turkish, QLocale::AnyTerritory, 0x041F, 1254},
    {QLocale::Azerbaijani, QLocale::AnyTerritory, 0x042C, 1254},
    {QLocale::Hebrew, QLocale::AnyTerritory, 0x040D, 1255},
    {QLocale::Arabic, QLocale::SaudiArabia, 0x0401, 1256},
    {QLocale::Arabic, QLocale::Egypt, 0x0C01, 1256},
    {QLocale::Arabic, QLocale::UnitedArabEmirates, 0x3801, 1256},
    {QLocale::Persian, QLocale::AnyTerritory, 0x0429, 1256},
    {QLocale::Urdu, QLocale::AnyTerritory, 0x0420, 1256},
    {QLocale::Estonian, QLocale::AnyTerritory, 0x0425, 1257},
    {QLocale::Latvian, QLocale::AnyTerritory, 0x0426, 1257},
    {QLocale::Lithuanian, QLocale::AnyTerritory, 0x0427, 1257},
    {QLocale::Vietnamese, QLocale::AnyTerritory, 0x042A, 1258},
    {QLocale::Thai, QLocale::AnyTerritory, 0x041E, 874},
    {QLocale::Japanese, QLocale::AnyTerritory, 0x0411, 932},
    {QLocale::Chinese, QLocale::China, 0x0804, 936},
    {QLocale::Chinese, QLocale::Taiwan, 0x0404, 950},
    {QLocale::Chinese, QLocale::HongKong, 0x0C04, 950},
    {QLocale::Chinese, QLocale::Singapore, 0x1004, 936},
    {QLocale::Chinese, QLocale::Macao, 0x1404, 950},
    {QLocale::Korean, QLocale::AnyTerritory, 0x0412, 949},
    {QLocale::Hindi, QLocale::AnyTerritory, 0x0439, 0},
    {QLocale::Georgian, QLocale::AnyTerritory, 0x0437, 0},
    {QLocale::Armenian, QLocale::AnyTerritory, 0x042B, 0},
};

} // namespace

int LocaleIdFor(QLocale::Language language, QLocale::Territory territory, QLocale::Script script)
{
    if (language == QLocale::C)
        return 0x0409;
    // Chinese written in traditional characters uses the Big5 locales even
    // where the territory is not listed.
    if (language == QLocale::Chinese && territory != QLocale::China
        && territory != QLocale::Singapore && script == QLocale::TraditionalChineseScript) {
        if (territory != QLocale::HongKong && territory != QLocale::Macao)
            territory = QLocale::Taiwan;
    }
    int main = 0;
    for (const LocaleRow &row : kLocales) {
        if (row.language != language)
            continue;
        if (!main)
            main = row.lcid;
        if (row.territory == territory)
            return row.lcid;
    }
    return main;
}

int AnsiCodePageForLocaleId(int lcid)
{
    for (const LocaleRow &row : kLocales) {
        if (row.lcid == lcid)
            return row.codePage;
    }
    return 0;
}
