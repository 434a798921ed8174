#pragma once

#include <QLineEdit>

// A line edit that keeps its selection when the focus moves to a key, so the
// next key press still replaces the text that was marked.
class EntryLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
