#pragma once

#include "MessageText.h"
#include "Verdict.h"

#include <QString>
#include <QStringList>
#include <functional>

// Message-box styles and button results.
enum MessageStyle : int { MsgOkOnly = 0, MsgYesNo = 4 };
enum MessageResult : int { MsgResultOk = 1, MsgResultYes = 6, MsgResultNo = 7 };

// The one message box of the program, captioned with the application title.
// Returns 1 (OK), 6 (Yes) or 7 (No).
int ShowMessage(const QString &text, int style = MsgOkOnly);

// Shows the verdict's message, if any: a question with Yes and No, anything
// else with OK. True when it may go on: it passed, or its question was
// answered Yes.
bool ShowVerdict(const Verdict &verdict);

// Who shows the box. Tests install their own to record texts and answer.
using MessagePresenter = std::function<int(const QString &text, int style)>;
// Installs `presenter`; an empty function restores the real message box.
// Returns the presenter that was installed before.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);
