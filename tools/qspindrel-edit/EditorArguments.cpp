#include "EditorArguments.h"

EditorArguments ParseEditorArguments(const QStringList &arguments)
{
    EditorArguments parsed;
    QStringList files;
    for (const QString &word : arguments) {
        const QString trimmed = word.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.compare(QLatin1String("-o"), Qt::CaseInsensitive) == 0)
            parsed.viewOnly = true;
        else
            files << word; // a name may really begin or end with a blank
    }
    if (files.size() == 1)
        parsed.filePath = files.first();
    else if (files.isEmpty())
        parsed.error = QStringLiteral("No file given.");
    else
        parsed.error = QStringLiteral("Only one file can be opened at a time; given: %1.")
                           .arg(files.join(QLatin1String(", ")));
    return parsed;
}
