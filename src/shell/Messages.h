#pragma once

#include "MessageText.h"

#include <QString>
#include <QStringList>
#include <functional>

// The table entry a shown message was made from, 0 for none (an error's
// description).
int MessageNumberOf(const QString &shownText);

// Message-box styles and button results.
enum MessageStyle : int { MsgOkOnly = 0, MsgYesNo = 4 };
enum MessageResult : int { MsgResultOk = 1, MsgResultYes = 6, MsgResultNo = 7 };

// The one message box of the program, captioned with the application title.
// Returns 1 (OK), 6 (Yes) or 7 (No).
int ShowMessage(const QString &text, int style = MsgOkOnly);

// Who shows the box. Tests install their own to record texts and answer.
using MessagePresenter = std::function<int(const QString &text, int style)>;
// Installs `presenter`; an empty function restores the real message box.
// Returns the presenter that was installed before.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// While it lives, remembers the messages shown (they are shown as before), so
// that a caller can note why an operation stopped.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    bool isEmpty() const { return m_lastText.isEmpty(); }
    QString lastText() const { return m_lastText; }
    int lastResult() const { return m_lastResult; }

private:
    MessagePresenter m_previous;
    QString m_lastText;
    int m_lastResult = 0;
};
