#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

// Kind 1: the program's folder, the native separator, "QSpindrel.chm".
// Any other kind: the empty string.
QString GetHelpFilePath(int kind);
// The rule behind kind 1, for any folder: folder, separator, file name, even
// when the folder already ends in a separator (a drive's root).
QString HelpFilePathIn(const QString &programDirectory, QChar separator);

// Opens help at `contextNumber` (200, 300, 500). On Windows a "QSpindrel.chm"
// beside the program goes to the system's HTML Help; otherwise our own help
// viewer shows the built-in page for that context.
void ShowHelpTopic(int kind, int contextNumber);
// The help viewer window while it is open, else null.
QWidget *HelpViewerWindow();

// Lets the window see F1 (and other keys) before whichever child has focus:
// installs a key filter on `window` and all its descendants, current and
// future, that hands key releases to the window's keyReleaseEvent.
void PrepareFormHelp(QWidget *window);

// That filter hands a window each key release first, and the same release
// may then bubble up from the child as well: true only the first time a
// window sees a release (auto-repeats never count).
class KeyReleaseOnce
{
public:
    bool take(const class QKeyEvent *event);

private:
    int m_key = 0;
    quint64 m_timestamp = 0;
};
