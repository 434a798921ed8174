#include "StationCodes.h"

#include "MessageText.h"

QString EditModeText(int code)
{
    return IsEditMode(code) ? GetMessageText(EditModeTextId(code)) : QString();
}

QString CmdTypeText(int code)
{
    return IsCmdType(code) ? GetMessageText(CmdTypeTextId(code)) : QString();
}

QStringList ParseExtensionList(const QString &text)
{
    QStringList list;
    if (text.isEmpty())
        return list;
    const QStringList pieces = text.split(QLatin1Char(';'));
    for (const QString &piece : pieces) {
        // Blanks only: tabs and other white space stay part of the piece.
        qsizetype first = 0;
        qsizetype last = piece.size();
        while (first < last && piece.at(first) == QLatin1Char(' '))
            ++first;
        while (last > first && piece.at(last - 1) == QLatin1Char(' '))
            --last;
        QString entry = piece.mid(first, last - first);
        if (entry.isEmpty())
            continue;
        if (!entry.startsWith(QLatin1Char('.')))
            entry.prepend(QLatin1Char('.'));
        list << entry;
    }
    return list;
}

QVariant StoredExtensionText(const QString &cellText)
{
    if (cellText.isEmpty())
        return QVariant(QMetaType(QMetaType::QString));
    if (cellText.startsWith(QLatin1Char('.')))
        return cellText;
    return QString(QLatin1Char('.') + cellText);
}

QString StoredDirectoryText(const QString &cellText, QChar separator)
{
    // "/" ends a folder on Windows too.
    if (cellText.endsWith(separator) || cellText.endsWith(QLatin1Char('/')))
        return cellText;
    return cellText + separator;
}
