#include "MessageText.h"

#include "StringTable.h"

QString GetMessageText(int number, const QString &a1, const QString &a2, const QString &a3,
                       const QString &a4, const QString &a5)
{
    const StringTable &table = StringTable::instance();
    if (!table.contains(number))
        return QStringLiteral("###STRING RESOURCE ERROR###");
    const QString args[5] = {a1, a2, a3, a4, a5};
    return FillPlaceholders(table.text(number), args);
}
