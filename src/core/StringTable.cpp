#include "StringTable.h"

#include <QFile>

const StringTable &StringTable::instance()
{
    // The system's texts and our own (numbered from 1001), one table.
    static const StringTable table = [] {
        QString text;
        for (const char *name : {":/strings/strings.tsv", ":/strings/own.tsv"}) {
            QFile file(QString::fromLatin1(name));
            if (file.open(QIODevice::ReadOnly))
                text += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
        }
        return fromText(text);
    }();
    return table;
}

StringTable StringTable::fromText(const QString &data)
{
    StringTable table;
    const QStringList lines = data.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int number = line.left(tab).toInt(&ok);
        if (ok)
            table.m_texts.insert(number, line.mid(tab + 1));
    }
    return table;
}

QString FillPlaceholders(QString text, const QString args[5])
{
    for (int k = 0; k < 5; ++k) {
        if (args[k].isEmpty())
            continue;
        const QString placeholder = QLatin1Char('%') + QString::number(k + 1);
        const int p = text.indexOf(placeholder);
        if (p >= 0)
            text.replace(p, placeholder.size(), args[k]);
    }
    return text;
}
