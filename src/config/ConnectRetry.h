#pragma once

#include <QDeadlineTimer>
#include <QList>
#include <QSqlError>

class clsAccessDBConnection;

// Whether a server refused the connection because all its connection slots
// were taken (PostgreSQL's "too many clients already" and "remaining
// connection slots are reserved").
bool IsTooManyClients(const QList<QSqlError> &errors);

// Connect, and while the server refuses for too many clients and `deadline`
// allows, try again after a short pause of random length, so that many
// stations starting at once take turns. Other failures return at once. The
// pauses block the calling thread: call it from a worker.
bool ConnectRetryingBusyServer(clsAccessDBConnection &connection, QDeadlineTimer deadline);
