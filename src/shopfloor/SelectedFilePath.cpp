#include "SelectedFilePath.h"

namespace {

bool ListHolds(const QStringList &extensionList, const QString &extension)
{
    for (const QString &entry : extensionList) {
        if (entry.compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QString GetSelectedFilePath(const QString &fileText, const QString &currentDirectory,
                            const QStringList &extensionList, QChar separator)
{
    QString name = fileText;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const bool accepted = dot >= 0 ? ListHolds(extensionList, name.mid(dot))
                                   : ListHolds(extensionList, QStringLiteral("."));
    if (!accepted && !extensionList.isEmpty())
        name += extensionList.first();

    QString directory = currentDirectory;
    // "/" ends a folder on Windows too.
    if (!directory.isEmpty() && !directory.endsWith(separator) && !directory.endsWith(QLatin1Char('/')))
        directory += separator;
    if (name.startsWith(directory, Qt::CaseInsensitive))
        return name;
    return directory + name;
}
