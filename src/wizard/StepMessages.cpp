#include "StepMessages.h"

#include "DatabaseTarget.h"
#include "Messages.h"
#include "clsAccessDBConnection.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
bool g_pending = false;
}

void ShowMessageLater(QWidget *context, const QString &text)
{
    if (g_pending)
        return;
    g_pending = true;
    QTimer::singleShot(0, context, [text] {
        g_pending = false;
        ShowMessage(text);
    });
}

QString DatabaseFailureText(const QString &path, const QString &reason)
{
    const QString shown = PathForDisplay(path);
    QString why = reason.trimmed().isEmpty() ? QStringLiteral("The reason is unknown.") : reason.trimmed();
    // Driver texts may quote the address they were given.
    why.replace(path, shown);
    const QString password = ResolveDatabaseTarget(path).password;
    if (!password.isEmpty())
        why.replace(password, QStringLiteral("***"));
    return QStringLiteral("The database %1 could not be opened.\n\n%2").arg(shown, why);
}

QString LastConnectionError(const clsAccessDBConnection &connection)
{
    const QList<QSqlError> errors = connection.GetADOErrors();
    return errors.isEmpty() ? QString() : errors.constLast().text();
}
