#include "MachinePorts.h"

#include "DBAssist.h"
#include "clsAccessDBConnection.h"

#include <QSqlError>

bool ReadMachinePorts(const QString &database, QList<quint16> *ports, QString *error)
{
    clsAccessDBConnection connection;
    connection.setDatabase(database);
    if (!connection.Connect()) {
        const QList<QSqlError> errors = connection.GetADOErrors();
        *error = errors.isEmpty() ? QStringLiteral("cannot open ") + database
                                  : errors.last().text();
        return false;
    }
    RecordSet rows;
    if (!OpenRecordset(connection, QStringLiteral("SELECT DISTINCT PORT FROM T_DNC_MACHINES"), {},
                       &rows, error)) {
        connection.Disconnect();
        return false;
    }
    connection.Disconnect();
    for (int i = 0; i < rows.count(); ++i) {
        bool ok = false;
        const int port = rows.value(i, 0).toInt(&ok);
        if (!ok || port < 1 || port > 65535) {
            *error = QStringLiteral("T_DNC_MACHINES holds the invalid port \"%1\"")
                         .arg(rows.value(i, 0).toString());
            return false;
        }
        if (!ports->contains(quint16(port)))
            ports->append(quint16(port));
    }
    return true;
}
