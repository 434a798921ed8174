#include "RequestSafety.h"

#include "FileNameCodec.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

struct SplitPath {
    bool absolute = false;
    QStringList names;
    bool valid = true;  // false when ".." climbs above the start
};

SplitPath splitResolved(const QString &path, QChar separator)
{
    SplitPath result;
    QString text = path;
    if (separator == u'\\')
        text.replace(u'/', u'\\');
    result.absolute = text.startsWith(separator);
    for (const QString &name : text.split(separator, Qt::SkipEmptyParts)) {
        if (name == QLatin1String("."))
            continue;
        if (name == QLatin1String("..")) {
            if (result.names.isEmpty())
                result.valid = false;
            else
                result.names.removeLast();
            continue;
        }
        result.names << name;
    }
    return result;
}

} // namespace

bool HasControlCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 32)
            return true;
    }
    return false;
}

QString ShowControlCharacters(const QString &text)
{
    QString shown;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\r': shown += QLatin1String("<CR>"); break;
        case '\n': shown += QLatin1String("<LF>"); break;
        case '\0': shown += QLatin1String("<NUL>"); break;
        case '\t': shown += QLatin1String("<TAB>"); break;
        default:
            if (c.unicode() < 32)
                shown += QStringLiteral("<0x%1>").arg(
                    QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0'));
            else
                shown += c;
        }
    }
    return shown;
}

bool LiesInside(const QString &fullPath, const QString &root, QChar separator)
{
    const SplitPath path = splitResolved(fullPath, separator);
    const SplitPath folder = splitResolved(root, separator);
    if (!path.valid || !folder.valid || path.absolute != folder.absolute
        || path.names.size() <= folder.names.size())
        return false;
    const Qt::CaseSensitivity cs = separator == u'\\' ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (qsizetype i = 0; i < folder.names.size(); ++i) {
        if (path.names.at(i).compare(folder.names.at(i), cs) != 0)
            return false;
    }
    return true;
}

QString ControlCharacterErrorText(const QString &text)
{
    return QCoreApplication::translate(
               "RemoteCommand",
               "The request \"%1\" contains a control character (shown in angle brackets). "
               "Nothing was sent or started.")
        .arg(ShowControlCharacters(text));
}

QString OutsideFolderErrorText(const QString &fullPath, const QString &root)
{
    return QCoreApplication::translate(
               "RemoteCommand",
               "The file %1 does not lie in the folder %2 of this action. "
               "Nothing was sent or started.")
        .arg(fullPath, root);
}

QString InvalidNameErrorText(const QString &fullPath)
{
    return QCoreApplication::translate(
               "RemoteCommand",
               "The name of the file %1 is not valid text in this workstation's character "
               "encoding (the unreadable characters are shown as \uFFFD). Rename the file. "
               "Nothing was sent or started.")
        .arg(DisplayFileName(fullPath));
}
