#pragma once

#include <QString>

class QWidget;
class clsAccessDBConnection;

// Shows `text` once the current event is done, if `context` (the step) is
// still shown then. A cell rule runs while the grid commits its editor; a
// modal box at that moment would take the focus from the editor and make it
// commit a second time. Further texts while one is waiting are dropped: one
// problem at a time.
void ShowMessageLater(QWidget *context, const QString &text);

// Why the database at `path` could not be opened or read, for one message:
// the path (a server URL without its password) and the driver's reason.
QString DatabaseFailureText(const QString &path, const QString &reason);
// The reason the connection keeps for its last failure.
QString LastConnectionError(const clsAccessDBConnection &connection);
