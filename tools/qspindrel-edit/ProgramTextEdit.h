#pragma once

#include <QPlainTextEdit>

// A QPlainTextEdit that does not lay the whole program out anew when its
// width changes. QPlainTextEdit gives every line a layout object of its own
// on each change of width (some hundred bytes a line, many times the text
// for a program of short lines); without wrapping the width changes nothing
// in the layout, so only the scroll bars are brought up to date.
class ProgramTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void resizeEvent(QResizeEvent *event) override;
};
