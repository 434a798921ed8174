#include <QtTest>

#include "IntlFonts.h"
#include "LocaleTable.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kPGothic = QString::fromUtf16(u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");

QString DefaultFace()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// A window shaped like the on-screen keyboard: small bold keys in a frame,
// a 24-point entry line, a timer among its children.
struct KeyboardLikeWindow {
    QWidget window;
    QFrame *frame;
    QPushButton *key;
    QLineEdit *entry;

    KeyboardLikeWindow()
    {
        QFont designed(QStringLiteral("MS Sans Serif"));
        designed.setPointSizeF(8.25);
        window.setFont(designed);
        frame = new QFrame(&window);
        key = new QPushButton(QStringLiteral("Q"), frame);
        QFont bold = designed;
        bold.setBold(true);
        key->setFont(bold);
        new QTimer(&window);
        entry = new QLineEdit(&window);
        QFont big = designed;
        big.setPointSizeF(24);
        entry->setFont(big);
    }
};

} // namespace

class tst_IntlFonts : public QObject
{
    Q_OBJECT
private slots:
    void codePageTable_data();
    void codePageTable();
    void localeTables_data();
    void localeTables();
    void applyToWindow_data();
    void applyToWindow();
    void englishLocalesChangeNothing();
    void dialogsOwnedByTheWindowAreLeftAlone();
};

void tst_IntlFonts::codePageTable_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("minimum");
    QTest::newRow("1250") << 1250 << 238 << QString() << 0.0;
    QTest::newRow("1251") << 1251 << 204 << QString() << 0.0;
    QTest::newRow("1252") << 1252 << 0 << QString() << 0.0;
    QTest::newRow("1253") << 1253 << 161 << QString() << 0.0;
    QTest::newRow("1254") << 1254 << 162 << QString() << 0.0;
    QTest::newRow("1255") << 1255 << 177 << QString() << 0.0;
    QTest::newRow("1256") << 1256 << 178 << QString() << 0.0;
    QTest::newRow("1257") << 1257 << 186 << QString() << 0.0;
    QTest::newRow("932") << 932 << 128 << kPGothic << 9.0;
    QTest::newRow("936") << 936 << 134 << QString::fromUtf16(u"\u5B8B\u4F53") << 9.0;
    QTest::newRow("949") << 949 << 129 << QString::fromUtf16(u"\uAD74\uB9BC") << 9.0;
    QTest::newRow("950") << 950 << 136 << QString::fromUtf16(u"\u65B0\u7D30\u660E\u9AD4") << 9.0;
    QTest::newRow("874") << 874 << 1 << QString() << 0.0;
    QTest::newRow("1258") << 1258 << 1 << QString() << 0.0;
    QTest::newRow("0") << 0 << 1 << QString() << 0.0;
}

void tst_IntlFonts::codePageTable()
{
    QFETCH(int, codePage);
    QFETCH(int, charset);
    QFETCH(QString, face);
    QFETCH(double, minimum);
    const CIntlFontClass::FontRule rule = CIntlFontClass::RuleForCodePage(codePage);
    QCOMPARE(rule.charset, charset);
    QCOMPARE(rule.faceName, face);
    QCOMPARE(rule.minimumPointSize, minimum);
}

void tst_IntlFonts::localeTables_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("territory");
    QTest::addColumn<int>("script");
    QTest::addColumn<int>("lcid");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<bool>("english");
    QTest::newRow("en_US") << int(QLocale::English) << int(QLocale::UnitedStates) << 0 << 1033 << 1252 << true;
    QTest::newRow("en_GB") << int(QLocale::English) << int(QLocale::UnitedKingdom) << 0 << 2057 << 1252 << true;
    QTest::newRow("en_PH") << int(QLocale::English) << int(QLocale::Philippines) << 0 << 13321 << 1252 << true;
    QTest::newRow("en_IN") << int(QLocale::English) << int(QLocale::India) << 0 << 0x4009 << 1252 << false;
    QTest::newRow("C") << int(QLocale::C) << int(QLocale::AnyTerritory) << 0 << 1033 << 1252 << true;
    QTest::newRow("de_DE") << int(QLocale::German) << int(QLocale::Germany) << 0 << 1031 << 1252 << false;
    QTest::newRow("de_BE main") << int(QLocale::German) << int(QLocale::Belgium) << 0 << 1031 << 1252 << false;
    QTest::newRow("ja_JP") << int(QLocale::Japanese) << int(QLocale::Japan) << 0 << 1041 << 932 << false;
    QTest::newRow("th_TH") << int(QLocale::Thai) << int(QLocale::Thailand) << 0 << 1054 << 874 << false;
    QTest::newRow("vi_VN") << int(QLocale::Vietnamese) << int(QLocale::Vietnam) << 0 << 1066 << 1258 << false;
    QTest::newRow("ru_RU") << int(QLocale::Russian) << int(QLocale::Russia) << 0 << 1049 << 1251 << false;
    QTest::newRow("pl_PL") << int(QLocale::Polish) << int(QLocale::Poland) << 0 << 1045 << 1250 << false;
    QTest::newRow("zh_CN") << int(QLocale::Chinese) << int(QLocale::China) << 0 << 2052 << 936 << false;
    QTest::newRow("zh_TW") << int(QLocale::Chinese) << int(QLocale::Taiwan) << 0 << 1028 << 950 << false;
    QTest::newRow("zh_Hant_US") << int(QLocale::Chinese) << int(QLocale::UnitedStates)
                                << int(QLocale::TraditionalChineseScript) << 1028 << 950 << false;
    QTest::newRow("ko_KR") << int(QLocale::Korean) << int(QLocale::SouthKorea) << 0 << 1042 << 949 << false;
    QTest::newRow("unlisted language") << int(QLocale::Zulu) << int(QLocale::SouthAfrica) << 0 << 0 << 0 << false;
}

void tst_IntlFonts::localeTables()
{
    QFETCH(int, language);
    QFETCH(int, territory);
    QFETCH(int, script);
    QFETCH(int, lcid);
    QFETCH(int, codePage);
    QFETCH(bool, english);
    QCOMPARE(LocaleIdFor(QLocale::Language(language), QLocale::Territory(territory),
                         QLocale::Script(script)),
             lcid);
    QCOMPARE(CIntlFontClass::IsEnglishLocale(lcid), english);
    if (lcid)
        QCOMPARE(CIntlFontClass::AnsiCodePageForLocale(lcid), codePage);
}

void tst_IntlFonts::applyToWindow_data()
{
    QTest::addColumn<int>("lcid");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("face"); // empty: the default face
    QTest::addColumn<double>("keySize");
    QTest::newRow("German 1031") << 1031 << 0 << QString() << 8.25;
    QTest::newRow("Japanese 1041") << 1041 << 128 << kPGothic << 9.0;
    QTest::newRow("Thai 1054") << 1054 << 1 << QString() << 8.25;
    QTest::newRow("Vietnamese 1066") << 1066 << 1 << QString() << 8.25;
    QTest::newRow("Greek 1032") << 1032 << 161 << QString() << 8.25;
    QTest::newRow("unknown locale") << 0x7777 << 1 << QString() << 8.25;
}

void tst_IntlFonts::applyToWindow()
{
    QFETCH(int, lcid);
    QFETCH(int, charset);
    QFETCH(QString, face);
    QFETCH(double, keySize);
    if (face.isEmpty())
        face = DefaultFace();
    KeyboardLikeWindow w;
    CIntlFontClass().SetProperFontsForLocale(&w.window, lcid);

    QCOMPARE(w.window.font().family(), DefaultFace());
    QVERIFY(!w.window.property("fontCharset").isValid());
    QCOMPARE(w.window.font().pointSizeF(), 8.25);

    for (QWidget *control : {static_cast<QWidget *>(w.frame), static_cast<QWidget *>(w.key),
                             static_cast<QWidget *>(w.entry)}) {
        QCOMPARE(control->property("fontCharset").toInt(), charset);
        QCOMPARE(control->font().family(), face);
    }
    QCOMPARE(w.key->font().pointSizeF(), keySize);
    QVERIFY(w.key->font().bold());
    QCOMPARE(w.entry->font().pointSizeF(), 24.0);
    QVERIFY(!w.entry->font().bold());
}

void tst_IntlFonts::englishLocalesChangeNothing()
{
    for (int lcid : {1033, 2057, 3081, 4105, 5129, 6153, 7177, 8201, 9225, 10249, 11273, 12297, 13321}) {
        KeyboardLikeWindow w;
        const QFont windowFont = w.window.font();
        const QFont keyFont = w.key->font();
        CIntlFontClass().SetProperFontsForLocale(&w.window, lcid);
        QCOMPARE(w.window.font(), windowFont);
        QCOMPARE(w.key->font(), keyFont);
        QVERIFY(!w.key->property("fontCharset").isValid());
    }
}

void tst_IntlFonts::dialogsOwnedByTheWindowAreLeftAlone()
{
    KeyboardLikeWindow w;
    QWidget dialog(&w.window, Qt::Dialog);
    auto *inDialog = new QPushButton(&dialog);
    CIntlFontClass().SetProperFontsForLocale(&w.window, 1041);
    QVERIFY(!inDialog->property("fontCharset").isValid());
    QCOMPARE(w.key->property("fontCharset").toInt(), 128);
}

QTEST_MAIN(tst_IntlFonts)
#include "tst_intlfonts.moc"
