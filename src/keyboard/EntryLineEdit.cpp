#include "EntryLineEdit.h"

void EntryLineEdit::focusOutEvent(QFocusEvent *event)
{
    const int start = selectionStart();
    const int length = selectionLength();
    const bool caretAtStart = cursorPosition() == start;
    QLineEdit::focusOutEvent(event);
    if (start < 0 || hasSelectedText())
        return;
    // Restore the way it was dragged, so the caret stays where it was.
    if (caretAtStart)
        setSelection(start + length, -length);
    else
        setSelection(start, length);
}
