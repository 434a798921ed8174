#pragma once

#include <QString>
#include <QStringList>

struct DemoOptions {
    QString directory;   // made by the demo; must not exist or be empty
    QString editorPath;  // for the machine-wide editor key
    QString computerKey; // station key in computer mode
    QString userKey;     // station key in user mode
};

struct DemoResult {
    bool ok = false;
    QString error;
    QStringList notes; // what the user should know (settings changed or not written)
};

// Builds the demo installation in a temporary folder beside `directory` and
// renames it into place when complete, then points the user's settings at
// its database and the editor key at the editor stand-in.
DemoResult CreateDemoInstallation(const DemoOptions &options);

// Writes the machine-wide editor key; the note explains how to set it when
// that is not allowed.
bool SetEditorPath(const QString &editorPath, QString *note);
