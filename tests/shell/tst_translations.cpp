#include <QtTest>
#include <QtWidgets>

#include "ActionToolbar.h"
#include "HelpViewer.h"
#include "Messages.h"
#include "StepSequence.h"
#include "Translation.h"
#include "frmAdminWizard.h"
#include "frmKeyboard.h"
#include "frmShopFloorButtonBar.h"

using namespace Qt::StringLiterals;

namespace {

// Answers only `id`, with `text` (empty: an entry left blank).
class OneEntry : public QTranslator
{
public:
    OneEntry(const char *id, const QString &text) : m_id(id), m_text(text) {}
    QString translate(const char *, const char *, const char *id, int) const override
    {
        return qstrcmp(id, m_id) == 0 ? m_text : QString();
    }
    bool isEmpty() const override { return false; }

private:
    const char *m_id;
    QString m_text;
};

// The texts of `root` wider than the room their widget gives them.
QStringList CutTexts(QWidget *root)
{
    QStringList cut;
    const auto check = [&](const QWidget *w, QString text, int room, const QFontMetrics &metrics) {
        text.remove(u'&');
        if (!text.isEmpty() && metrics.horizontalAdvance(text) > room)
            cut << u"%1 \"%2\" %3 > %4"_s.arg(w->objectName(), text).arg(metrics.horizontalAdvance(text)).arg(room);
    };
    for (QPushButton *b : root->findChildren<QPushButton *>()) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.rect = b->rect();
        check(b, b->text(), b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width(),
              b->fontMetrics());
    }
    for (QToolButton *b : root->findChildren<QToolButton *>())
        check(b, b->text(), b->width() - 2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth), b->fontMetrics());
    for (QLabel *l : root->findChildren<QLabel *>()) {
        if (!l->wordWrap())
            check(l, l->text(), l->contentsRect().width(), l->fontMetrics());
    }
    for (QHeaderView *h : root->findChildren<QHeaderView *>()) {
        const int margin = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin);
        for (int i = 0; i < h->count(); ++i) {
            if (!h->isSectionHidden(i))
                check(h, h->model()->headerData(i, h->orientation()).toString(), h->sectionSize(i) - margin,
                      h->fontMetrics());
        }
    }
    return cut;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    // The wizard reads the user's settings: an empty set of our own.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8()); }
    void cleanup() { InstallTranslation(u"en"_s); }

    void pickLanguage_data()
    {
        QTest::addColumn<QString>("forced");
        QTest::addColumn<QStringList>("ui");
        QTest::addColumn<QString>("language");
        QTest::newRow("locale") << QString() << QStringList{u"de-DE"_s, u"de"_s} << u"de"_s;
        QTest::newRow("first translated wish") << QString() << QStringList{u"fr-FR"_s, u"es-MX"_s} << u"es"_s;
        QTest::newRow("Chinese script form") << QString() << QStringList{u"zh-Hans-CN"_s} << u"zh_CN"_s;
        QTest::newRow("traditional Chinese") << QString() << QStringList{u"zh-Hant-TW"_s} << u"en"_s;
        QTest::newRow("forced over locale") << u"zh_CN"_s << QStringList{u"de-DE"_s} << u"zh_CN"_s;
        QTest::newRow("English forced") << u"en"_s << QStringList{u"es-ES"_s} << u"en"_s;
        QTest::newRow("unknown forced: the locale") << u"xx"_s << QStringList{u"de-AT"_s} << u"de"_s;
    }
    void pickLanguage()
    {
        QFETCH(QString, forced);
        QFETCH(QStringList, ui);
        QTEST(PickLanguage(forced, ui), "language");
    }

    // A message filled, the keyboard's caption, the wizard's step titles and
    // the help page in each language.
    void texts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("help");
        QTest::newRow("de") << u"de"_s
                            << u"Q konnte keine Verbindung zu Quorvane DNC unter IP-Adresse 10.0.0.5 und Port 5001 herstellen."_s
                            << u"Dateinamen eingeben"_s
                            << QStringList{u"Q - Datenbank auswählen"_s, u"Q - Maschinen für PC PC1 auswählen"_s,
                                           u"Q - Sendeoptionen auswählen"_s, u"Q - Empfangsoptionen auswählen"_s}
                            << u":/help/de/200.html"_s;
        QTest::newRow("es") << u"es"_s
                            << u"Q no pudo conectarse a Quorvane DNC en la dirección IP 10.0.0.5 y el puerto 5001."_s
                            << u"Introduzca un nombre de archivo"_s
                            << QStringList{u"Q - Seleccione una base de datos"_s, u"Q - Seleccione las máquinas para el PC PC1"_s,
                                           u"Q - Seleccione las opciones de envío"_s,
                                           u"Q - Seleccione las opciones de recepción"_s}
                            << u":/help/es/200.html"_s;
        QTest::newRow("zh_CN") << u"zh_CN"_s << u"Q 无法连接到 IP 地址 10.0.0.5、端口 5001 上的 Quorvane DNC。"_s
                               << u"输入文件名"_s
                               << QStringList{u"Q - 选择数据库"_s, u"Q - 为 PC PC1 选择机床"_s, u"Q - 选择发送选项"_s,
                                              u"Q - 选择接收选项"_s}
                               << u":/help/zh_CN/200.html"_s;
    }
    void texts()
    {
        QFETCH(QString, language);
        QCOMPARE(InstallTranslation(language), language);
        QTEST(GetMessageText(MessageId::CannotConnect, u"Q"_s, u"10.0.0.5"_s, u"5001"_s), "message");
        QTEST(frmKeyboard().windowTitle(), "caption");
        QStringList titles;
        for (int step = 0; step < 4; ++step)
            titles << GetMessageText(NavigateStep(step, true, true, false).title, u"Q"_s, u"PC1"_s);
        QTEST(titles, "titles");
        QTEST(HelpViewer::PageResource(200), "help");
    }

    // An entry the translation lacks, or left blank (Qt would show it empty), reads in English.
    void fallback_data()
    {
        QTest::addColumn<QString>("translated");
        QTest::newRow("missing") << QString();
        QTest::newRow("blank") << u""_s;
    }
    void fallback()
    {
        QFETCH(QString, translated);
        OneEntry translator("180", translated);
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(GetMessageText(MessageId::CannotConnect, u"Q"_s, u"h"_s, u"1"_s),
                 u"Q was unable to connect to Quorvane DNC at IP Address h and Port 1."_s);
    }

    // No caption, label or header of the fixed-size windows is cut.
    void textsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        for (const QString &language : {u"en"_s, u"de"_s, u"es"_s, u"zh_CN"_s})
            for (const QString &window : {u"wizard"_s, u"actions"_s, u"keyboard"_s})
                QTest::addRow("%s %s", qPrintable(language), qPrintable(window)) << language << window;
    }
    void textsFit()
    {
        QFETCH(QString, language);
        QFETCH(QString, window);
        InstallTranslation(language);
        std::unique_ptr<QWidget> w;
        if (window == "wizard"_L1) {
            auto *wizard = new frmAdminWizard;
            w.reset(wizard);
            wizard->Form_Load();
            // Every step's controls at once: each frame shown over the others in turn.
            for (int step = 0; step < 4; ++step)
                wizard->findChild<QWidget *>(u"fraStep%1"_s.arg(step))->show();
        } else if (window == "actions"_L1) {
            auto *bar = new frmShopFloorButtonBar;
            w.reset(bar);
            bar->setShareWidth(true);
            bar->setIconSize(QSize(16, 16));
            BuildActionButtons(bar);
            bar->resize(191, 40); // its fixed 2865 x 600 twips at 96 dpi
        } else {
            w = std::make_unique<frmKeyboard>();
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QStringList cut = CutTexts(w.get());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u"; "_s)));
    }
};

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
