#include "FileListFormat.h"

#include "Messages.h"

double FileSizeValue(qint64 bytes)
{
    return double(bytes) / 1024.0 + 1.0;
}

qint64 FileSizeKB(qint64 bytes)
{
    // bytes / 1024 + 1 rounded half up, in integers so that no size is off by
    // a rounding of the division.
    if (bytes < 0)
        bytes = 0;
    return (bytes + 512) / 1024 + 1;
}

QString FileSizeText(qint64 bytes, const QLocale &locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return GetMessageText(MessageId::SizeInKb, grouped.toString(FileSizeKB(bytes)));
}

QString LongTimeFormat(const QLocale &locale)
{
    // Qt's long format names the time zone; the list shows the time only.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    out.reserve(format.size());
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    // Spanish writes the zone in brackets: "H:mm:ss (t)".
    out.remove(QStringLiteral("()"));
    return out.simplified();
}

QString FileTimeText(const QDateTime &local, const QLocale &locale)
{
    return locale.toString(local.date(), QLocale::ShortFormat) + u' '
        + locale.toString(local.time(), LongTimeFormat(locale));
}

bool ExtensionMatches(QStringView name, const QStringList &extensions)
{
    if (extensions.isEmpty())
        return true;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QStringView tail = dot < 0 ? QStringView() : name.mid(dot + 1);
    for (const QString &entry : extensions) {
        if (entry.size() != tail.size() + 1 || entry.at(0) != u'.')
            continue;
        if (QStringView(entry).mid(1).compare(tail, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
