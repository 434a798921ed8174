#pragma once

class QWidget;

// Lets the single-instance test watch the first program from outside: with
// QS_INSTANCE_TEST_HOOK set, the window's state changes are written to
// stdout, and the value "minimized" or "maximized" puts the window into that
// state once it is shown; then another window takes the focus from it.
// Does nothing without the variable.
namespace InstanceTestHook {
void Attach(QWidget *window);
void Report(const char *line);
}
