#pragma once

#include "MessageText.h"

#include <QStringList>

// What a check decided: nothing to say (it passed), or the message to show
// with its arguments. A question asks Yes or No, and Yes lets it go on.
struct Verdict {
    MessageId message = MessageId::None;
    QStringList args;
    bool question = false;

    bool passed() const { return message == MessageId::None; }
    QString text() const { return GetMessageText(message, args); }
};
