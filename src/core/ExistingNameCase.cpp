#include "ExistingNameCase.h"

#include "FileNameCodec.h"

#include <QDirIterator>
#include <QFileInfo>

QString MatchExistingNameCase(const QString &fullPath, QChar separator)
{
    const qsizetype cut = fullPath.lastIndexOf(separator);
    // A name that is no valid text is taken as listed; Qt's listing could not match it.
    if (cut < 0 || cut + 1 == fullPath.size() || HasRawFileNameBytes(fullPath)
        || QFileInfo::exists(fullPath))
        return fullPath;
    const QString folder = fullPath.left(cut + 1);
    const QStringView name = QStringView(fullPath).mid(cut + 1);
    QString found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString entry = it.nextFileInfo().fileName();
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // Two names that differ only by case: which one was meant is not ours to guess.
        if (!found.isEmpty())
            return fullPath;
        found = entry;
    }
    return found.isEmpty() ? fullPath : folder + found;
}
