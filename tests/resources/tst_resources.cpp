#include <QFile>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QtTest>

class tst_Resources : public QObject
{
    Q_OBJECT
private slots:
    void icon_data()
    {
        QTest::addColumn<QString>("name");
        for (int i = 1; i <= 31; ++i)
            QTest::newRow(qPrintable(QStringLiteral("MACH%1").arg(i))) << QStringLiteral("MACH%1").arg(i);
        for (const char *name : {"FORM_ICON", "AAA", "MACH_GENERIC", "SEND", "RECEIVE", "FOLDER_32", "DNC",
                                 "OPEN_FOLDER_32", "BROWSE", "KEYBOARD", "EDIT", "VIEW", "GO"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    // Image lists hold 32 by 32 pictures; a picture drawn for another box
    // would be scaled out of shape or clipped.
    void icon()
    {
        QFETCH(QString, name);
        QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(name));
        QVERIFY(svg.isValid());
        // The wizard's picture is drawn for its own tall box.
        const bool wizard = name == QLatin1String("DNC");
        QVERIFY(wizard || svg.viewBox() == QRect(0, 0, 32, 32));
    }
    // Pictures and links of a page must resolve inside the resources, or the
    // viewer shows a broken image or an empty page.
    void helpPage_data()
    {
        QTest::addColumn<int>("context");
        for (const int context : {200, 300, 500})
            QTest::addRow("%d", context) << context;
    }
    void helpPage()
    {
        QFETCH(int, context);
        QFile file(QStringLiteral(":/help/%1.html").arg(context));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QTextDocument doc;
        doc.setHtml(html);
        QVERIFY(doc.metaInformation(QTextDocument::DocumentTitle).startsWith(QLatin1String("Quorvane Spindrel Client")));
        const auto each = [&](const char *pattern, auto check) {
            for (auto m = QRegularExpression(QString::fromLatin1(pattern)).globalMatch(html); m.hasNext();) {
                const QString found = m.next().captured(1);
                QVERIFY2(check(found), qPrintable(found));
            }
        };
        each("src=\"qrc(:/icons/[^\"]+)\"", [](const QString &path) { return QSvgRenderer(path).isValid(); });
        each("href=\"(\\d+\\.html)\"", [](const QString &page) { return QFile::exists(":/help/" + page); });
        each("href=\"#([^\"]+)\"", [&](const QString &name) { return html.contains("name=\"" + name + '"'); });
    }
};

QTEST_MAIN(tst_Resources)
#include "tst_resources.moc"
