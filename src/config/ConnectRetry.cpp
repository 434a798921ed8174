#include "ConnectRetry.h"

#include "clsAccessDBConnection.h"

#include <QRandomGenerator>
#include <QThread>

#include <algorithm>

bool IsTooManyClients(const QList<QSqlError> &errors)
{
    for (const QSqlError &e : errors) {
        const QString text = e.databaseText() + QLatin1Char(' ') + e.driverText();
        if (text.contains(QLatin1String("too many clients already"), Qt::CaseInsensitive)
            || text.contains(QLatin1String("remaining connection slots are reserved"),
                             Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool ConnectRetryingBusyServer(clsAccessDBConnection &connection, QDeadlineTimer deadline)
{
    // A slot is held only for the few milliseconds of a station's read, so
    // short pauses suffice; the random spread keeps stations refused together
    // from coming back together.
    qint64 ceilingMs = 40;
    for (;;) {
        if (connection.Connect())
            return true;
        if (!IsTooManyClients(connection.GetADOErrors()))
            return false;
        qint64 pauseMs = qint64(QRandomGenerator::global()->bounded(int(ceilingMs))) + 10;
        if (!deadline.isForever()) {
            // The last try comes at the deadline.
            if (deadline.hasExpired())
                return false;
            pauseMs = std::min(pauseMs, deadline.remainingTime());
        }
        QThread::msleep(static_cast<unsigned long>(pauseMs));
        ceilingMs = std::min<qint64>(ceilingMs * 2, 640);
        connection.ClearADOErrors();
    }
}
