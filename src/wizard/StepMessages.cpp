#include "StepMessages.h"

#include "DatabaseTarget.h"
#include "Messages.h"
#include "clsAccessDBConnection.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
// The message waiting to be shown; a child of its step, so that it goes
// with a destroyed step instead of blocking every later message.
QPointer<QObject> g_pending;
}

void ShowMessageLater(QWidget *context, const QString &text)
{
    if (g_pending)
        return;
    auto *waiting = new QObject(context);
    g_pending = waiting;
    QTimer::singleShot(0, waiting, [waiting, context, text] {
        g_pending.clear();
        waiting->deleteLater();
        // The step was left (or the wizard closed) before the message's turn.
        if (context->isVisible())
            ShowMessage(text);
    });
}

QString DatabaseFailureText(const QString &path, const QString &reason)
{
    const QString shown = PathForDisplay(path);
    QString why = reason.trimmed().isEmpty() ? GetMessageText(MessageId::ReasonUnknown) : reason.trimmed();
    // Driver texts may quote the address they were given.
    why.replace(path, shown);
    const QString password = ResolveDatabaseTarget(path).password;
    if (!password.isEmpty())
        why.replace(password, QStringLiteral("***"));
    return GetMessageText(MessageId::DatabaseNotOpened, shown) + QStringLiteral("\n\n") + why;
}

QString LastConnectionError(const clsAccessDBConnection &connection)
{
    const QList<QSqlError> errors = connection.GetADOErrors();
    return errors.isEmpty() ? QString() : errors.constLast().text();
}
