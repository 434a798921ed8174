#include <QtTest>

#include "IntlFonts.h"
#include "LocaleTable.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString DefaultFace()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// Shaped like the on-screen keyboard: small bold keys in a frame, a 24-point
// entry line, a timer among its children, and a dialog of its own.
struct KeyboardLikeWindow {
    QWidget window;
    QFrame *frame = new QFrame(&window);
    QPushButton *key = new QPushButton(QStringLiteral("Q"), frame);
    QLineEdit *entry = new QLineEdit(&window);
    QWidget *dialog = new QWidget(&window, Qt::Dialog);
    QPushButton *inDialog = new QPushButton(dialog);

    KeyboardLikeWindow()
    {
        QFont designed(QStringLiteral("MS Sans Serif"));
        designed.setPointSizeF(8.25);
        window.setFont(designed);
        designed.setBold(true);
        key->setFont(designed);
        designed.setBold(false);
        designed.setPointSizeF(24);
        entry->setFont(designed);
        new QTimer(&window);
    }
};

} // namespace

class tst_IntlFonts : public QObject
{
    Q_OBJECT
private slots:
    // Locale -> identifier -> ANSI code page -> font rule -> fonts of a real
    // window. English locales keep the fonts the windows were designed with.
    // One row per kind of rule, not the whole table.
    void locale_data() // row names are locale names
    {
        QTest::addColumn<int>("lcid");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QString>("face"); // empty: the default face
        QTest::addColumn<double>("minimum");
        QTest::newRow("en_US") << 1033 << 1252 << true << 0 << QString() << 0.0;
        QTest::newRow("C") << 1033 << 1252 << true << 0 << QString() << 0.0;
        QTest::newRow("en_IN") << 0x4009 << 1252 << false << 0 << QString() << 0.0;
        QTest::newRow("pl_PL") << 1045 << 1250 << false << 238 << QString() << 0.0;
        QTest::newRow("ja_JP") << 1041 << 932 << false << 128
                               << QString::fromUtf16(u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF") << 9.0;
        QTest::newRow("zh_Hant_US") << 1028 << 950 << false << 136 << QString::fromUtf16(u"\u65B0\u7D30\u660E\u9AD4") << 9.0;
        QTest::newRow("zu_ZA unlisted") << 0 << 0 << false << 1 << QString() << 0.0;
    }
    void locale()
    {
        QFETCH(int, lcid);
        QFETCH(int, codePage);
        QFETCH(bool, english);
        QFETCH(int, charset);
        QFETCH(QString, face);
        QFETCH(double, minimum);
        const QLocale locale(QString::fromLatin1(QTest::currentDataTag()).section(' ', 0, 0));
        QCOMPARE(LocaleIdFor(locale.language(), locale.territory(), locale.script()), lcid);
        QCOMPARE(CIntlFontClass::IsEnglishLocale(lcid), english);
        if (lcid)
            QCOMPARE(CIntlFontClass::AnsiCodePageForLocale(lcid), codePage);

        KeyboardLikeWindow w;
        const QFont windowFont = w.window.font();
        const QFont keyFont = w.key->font();
        CIntlFontClass().SetProperFontsForLocale(&w.window, lcid);
        QVERIFY(!w.inDialog->property("fontCharset").isValid());
        QVERIFY(!w.window.property("fontCharset").isValid());
        if (english) {
            QCOMPARE(w.window.font(), windowFont);
            QCOMPARE(w.key->font(), keyFont);
            QVERIFY(!w.key->property("fontCharset").isValid());
            return;
        }
        QCOMPARE(w.window.font().family(), DefaultFace());
        QCOMPARE(w.window.font().pointSizeF(), 8.25);
        for (QWidget *control : {static_cast<QWidget *>(w.frame), static_cast<QWidget *>(w.key),
                                 static_cast<QWidget *>(w.entry)}) {
            QCOMPARE(control->property("fontCharset").toInt(), charset);
            QCOMPARE(control->font().family(), face.isEmpty() ? DefaultFace() : face);
        }
        QCOMPARE(w.key->font().pointSizeF(), qMax(8.25, minimum));
        QVERIFY(w.key->font().bold());
        QCOMPARE(w.entry->font().pointSizeF(), 24.0);
        QVERIFY(!w.entry->font().bold());
    }
};

QTEST_MAIN(tst_IntlFonts)
#include "tst_intlfonts.moc"
