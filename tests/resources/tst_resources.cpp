#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QtTest>

namespace {

QStringList machineNames()
{
    QStringList names;
    for (int i = 1; i <= 31; ++i)
        names << QStringLiteral("MACH%1").arg(i);
    return names;
}

QStringList iconNames()
{
    return machineNames()
           + QStringList{"FORM_ICON",   "AAA",      "MACH_GENERIC", "SEND", "RECEIVE",
                         "FOLDER_32",   "OPEN_FOLDER_32", "BROWSE", "KEYBOARD",
                         "EDIT",        "VIEW",     "GO"};
}

QImage render(QSvgRenderer &svg, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

// Share of pixels that are drawn at all, and the number of distinct colours.
void coverage(const QImage &image, double *opaqueShare, int *colours)
{
    QSet<QRgb> seen;
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 128)
                ++opaque;
            seen.insert(p);
        }
    *opaqueShare = double(opaque) / (image.width() * image.height());
    *colours = seen.size();
}

QString readResource(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

class tst_Resources : public QObject
{
    Q_OBJECT

private slots:
    void icon_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : iconNames())
            QTest::newRow(qPrintable(name)) << name;
    }

    // Image lists hold 32 by 32 pictures; a picture drawn for another box
    // would be scaled out of shape or clipped.
    void icon()
    {
        QFETCH(QString, name);
        QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(name));
        QVERIFY2(svg.isValid(), qPrintable(name));
        QCOMPARE(svg.viewBox(), QRect(0, 0, 32, 32));

        double share = 0;
        int colours = 0;
        coverage(render(svg, QSize(32, 32)), &share, &colours);
        QVERIFY2(share > 0.2, qPrintable(QStringLiteral("%1 covers %2").arg(name).arg(share)));
        QVERIFY(colours > 3);
    }

    void wizardPicture()
    {
        QSvgRenderer svg(QStringLiteral(":/icons/DNC.svg"));
        QVERIFY(svg.isValid());
        const QSize size = svg.defaultSize();
        QVERIFY(size.height() > size.width() * 3 / 2);
        double share = 0;
        int colours = 0;
        coverage(render(svg, size), &share, &colours);
        QVERIFY(share > 0.95);
        QVERIFY(colours > 10);
    }

    void machinesDiffer()
    {
        const QStringList names = machineNames();
        QList<QImage> images;
        for (const QString &name : names) {
            QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(name));
            images << render(svg, QSize(32, 32));
        }
        for (int i = 0; i < images.size(); ++i)
            for (int j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i] != images[j],
                         qPrintable(names[i] + QStringLiteral(" = ") + names[j]));
    }

    void helpPage_data()
    {
        QTest::addColumn<int>("context");
        QTest::newRow("station") << 300;
        QTest::newRow("wizard") << 200;
        QTest::newRow("keyboard") << 500;
    }

    // Pictures and links of a page must resolve inside the resources, or the
    // viewer shows a broken image or an empty page.
    void helpPage()
    {
        QFETCH(int, context);
        const QString html = readResource(QStringLiteral(":/help/%1.html").arg(context));
        QVERIFY(!html.isEmpty());

        QTextDocument doc;
        doc.setHtml(html);
        QVERIFY(doc.metaInformation(QTextDocument::DocumentTitle)
                    .startsWith(QLatin1String("Quorvane Spindrel Client")));

        static const QRegularExpression image(QStringLiteral("src=\"qrc(:/icons/[^\"]+)\""));
        for (auto m = image.globalMatch(html); m.hasNext();) {
            const QString path = m.next().captured(1);
            QVERIFY2(QSvgRenderer(path).isValid(), qPrintable(path));
        }
        static const QRegularExpression page(QStringLiteral("href=\"(\\d+\\.html)\""));
        for (auto m = page.globalMatch(html); m.hasNext();) {
            const QString path = QStringLiteral(":/help/") + m.next().captured(1);
            QVERIFY2(QFile::exists(path), qPrintable(path));
        }
        static const QRegularExpression anchor(QStringLiteral("href=\"#([^\"]+)\""));
        for (auto m = anchor.globalMatch(html); m.hasNext();) {
            const QString name = m.next().captured(1);
            QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(name)), qPrintable(name));
        }
    }
};

QTEST_MAIN(tst_Resources)
#include "tst_resources.moc"
