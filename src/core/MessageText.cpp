#include "MessageText.h"

#include "StringTable.h"

#include <QCoreApplication>

namespace {

const QString &ResourceError()
{
    static const QString text = QStringLiteral("###STRING RESOURCE ERROR###");
    return text;
}

// Each "%k" (k = 1..args.size()) replaced by args[k-1] in one pass.
QString FillOnePass(const QString &text, const QStringList &args)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int k = i + 1 < text.size() && text[i] == u'%' ? text[i + 1].digitValue() : -1;
        if (k >= 1 && k <= args.size()) {
            out += args.at(k - 1);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The entry in the language of the installed translator, keyed by (context,
// English, id) so that two ids with one English text stay apart; a missing or
// empty translation falls back to the English text.
QString TranslatedText(const StringTable &table, int number)
{
    const QString english = table.text(number);
    const QByteArray source = english.toUtf8();
    const QByteArray id = QByteArray::number(number);
    const QString translated = QCoreApplication::translate("Messages", source.constData(), id.constData());
    return translated.isEmpty() ? english : translated;
}

} // namespace

QString GetEnglishText(MessageId id)
{
    const StringTable &table = StringTable::instance();
    return table.contains(int(id)) ? table.text(int(id)) : ResourceError();
}

QString GetMessageText(int number, const QString &a1, const QString &a2, const QString &a3,
                       const QString &a4, const QString &a5)
{
    const StringTable &table = StringTable::instance();
    if (!table.contains(number))
        return ResourceError();
    const QString args[5] = {a1, a2, a3, a4, a5};
    return FillPlaceholders(TranslatedText(table, number), args);
}

QString GetMessageText(MessageId id, const QString &a1, const QString &a2, const QString &a3,
                       const QString &a4, const QString &a5)
{
    if (int(id) < FirstOwnMessage)
        return GetMessageText(int(id), a1, a2, a3, a4, a5);
    return GetMessageText(id, QStringList{a1, a2, a3, a4, a5});
}

QString GetMessageText(MessageId id, const QStringList &args)
{
    const StringTable &table = StringTable::instance();
    if (!table.contains(int(id)))
        return ResourceError();
    if (int(id) >= FirstOwnMessage)
        return FillOnePass(TranslatedText(table, int(id)), args);
    QString five[5];
    for (int k = 0; k < 5; ++k)
        five[k] = args.value(k);
    return FillPlaceholders(TranslatedText(table, int(id)), five);
}
