#include "RequestSafety.h"

#include "FileNameCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

struct SplitPath {
    // Where the names start: empty (relative) or the separator; with a
    // backslash also two of them (a share), a drive and a backslash, or a
    // bare drive or backslash (relative to a current folder or drive).
    QString anchor;
    QStringList names;
    bool valid = true;  // false when ".." climbs above the start
};

SplitPath splitResolved(const QString &path, QChar separator)
{
    SplitPath result;
    QString text = path;
    if (separator == u'\\') {
        text.replace(u'/', u'\\');
        if (text.startsWith(QLatin1String("\\\\"))) {
            result.anchor = QStringLiteral("\\\\");
        } else if (text.size() >= 2 && text.at(1) == u':' && text.at(0).unicode() < 128
                   && text.at(0).isLetter()) {
            result.anchor = text.left(2).toUpper();
            if (text.size() > 2 && text.at(2) == u'\\')
                result.anchor += u'\\';
        } else if (text.startsWith(u'\\')) {
            result.anchor = QStringLiteral("\\");
        }
        text.remove(0, result.anchor.size());
    } else if (text.startsWith(separator)) {
        result.anchor = separator;
    }
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

bool isAbsolute(const SplitPath &path, QChar separator)
{
    if (separator != u'\\')
        return path.anchor == separator;
    // A share needs at least its server's name.
    return path.anchor.endsWith(u'\\') && path.anchor != QLatin1String("\\")
        && (path.anchor.size() == 3 || !path.names.isEmpty());
}

QString hex(char32_t code, int digits)
{
    return QString::number(uint(code), 16).toUpper().rightJustified(digits, u'0');
}

// The code unit at `i` is refused: of a refused class, or half of a pair
// whose character is.
bool isRefusedAt(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return IsRefusedCategory(QChar::category(QChar::surrogateToUcs4(c, text.at(i + 1))));
    if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
        return IsRefusedCategory(QChar::category(QChar::surrogateToUcs4(text.at(i - 1), c)));
    return IsRefusedCategory(c.category());
}

} // namespace

bool IsRefusedCategory(QChar::Category category)
{
    switch (category) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate:
        return true;
    default:
        return false;
    }
}

bool HasControlCharacter(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isRefusedAt(text, i))
            return true;
    }
    return false;
}

QString ShowControlCharacters(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text.at(i + 1));
            if (IsRefusedCategory(QChar::category(code)))
                shown += QStringLiteral("<U+%1>").arg(hex(code, 4));
            else
                shown += QStringView(text).mid(i, 2);
            ++i;
            continue;
        }
        switch (c.unicode()) {
        case '\r': shown += QLatin1String("<CR>"); break;
        case '\n': shown += QLatin1String("<LF>"); break;
        case '\0': shown += QLatin1String("<NUL>"); break;
        case '\t': shown += QLatin1String("<TAB>"); break;
        default:
            if (!isRefusedAt(text, i))
                shown += c;
            else if (c.unicode() < 0x100)
                shown += QStringLiteral("<0x%1>").arg(hex(c.unicode(), 2));
            else
                shown += QStringLiteral("<U+%1>").arg(hex(c.unicode(), 4));
        }
    }
    return shown;
}

bool IsAbsoluteFolder(const QString &path, QChar separator)
{
    const SplitPath split = splitResolved(path, separator);
    return split.valid && isAbsolute(split, separator);
}

bool LiesInside(const QString &fullPath, const QString &root, QChar separator)
{
    const SplitPath path = splitResolved(fullPath, separator);
    const SplitPath folder = splitResolved(root, separator);
    if (!path.valid || !folder.valid || !isAbsolute(folder, separator)
        || path.anchor.compare(folder.anchor, Qt::CaseInsensitive) != 0
        || path.names.size() <= folder.names.size())
        return false;
    const Qt::CaseSensitivity cs = separator == u'\\' ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (qsizetype i = 0; i < folder.names.size(); ++i) {
        if (path.names.at(i).compare(folder.names.at(i), cs) != 0)
            return false;
    }
    return true;
}

bool ResolvesInside(const QString &fullPath, const QString &root)
{
    const QString resolvedRoot = QFileInfo(root).canonicalFilePath();
    if (resolvedRoot.isEmpty())
        return false;
    // Up to the deepest name that exists; the names below it are created
    // by whoever writes the file, inside that folder.
    QString existing = QDir::fromNativeSeparators(fullPath);
    QStringList below;
    for (;;) {
        const QFileInfo info(existing);
        if (info.exists())
            break;
        if (info.isSymLink() || info.isJunction())
            return false;
        const qsizetype cut = existing.lastIndexOf(u'/');
        if (cut <= 0)
            return false;
        below.prepend(existing.mid(cut + 1));
        existing.truncate(cut);
    }
    QString resolved = QFileInfo(existing).canonicalFilePath();
    for (const QString &name : std::as_const(below))
        resolved += u'/' + name;
    return LiesInside(QDir::toNativeSeparators(resolved), QDir::toNativeSeparators(resolvedRoot));
}

Verdict ControlCharacterRefusal(const QString &text)
{
    return {MessageId::ControlCharacterInRequest, {ShowControlCharacters(text)}};
}

Verdict OutsideFolderRefusal(const QString &fullPath, const QString &root)
{
    return {MessageId::FileOutsideActionFolder, {fullPath, root}};
}

Verdict NoActionFolderRefusal(const QString &root)
{
    return {MessageId::NoActionFolder, {root.isEmpty() ? QStringLiteral("\"\"") : root}};
}

Verdict InvalidNameRefusal(const QString &fullPath)
{
    return {MessageId::FileNameNotText, {DisplayFileName(fullPath)}};
}
