#pragma once

#include <QString>
#include <QStringList>

// What the editor was asked to do. The station appends " -o " (with its
// blanks) for viewing; the words may come in any order.
struct EditorArguments {
    QString filePath;
    bool viewOnly = false;
    QString error; // not empty: the command line cannot be used
};

// `arguments` without the program name.
EditorArguments ParseEditorArguments(const QStringList &arguments);
