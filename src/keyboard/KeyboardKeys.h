#pragma once

#include <QString>

#include <optional>

// Text, caret and selection of the entry line. `selStart` is the caret when
// nothing is selected, else the lower end of the selection, whichever way it
// was dragged.
struct EntryState {
    QString text;
    int selStart = 0;
    int selLength = 0;
};

// What the 49 keys show and do, apart from any widget.
class KeyboardKeys
{
public:
    static constexpr int KeyCount = 49;
    static constexpr int Backspace = 13;
    static constexpr int LeftShift = 37;
    static constexpr int RightShift = 47;
    static constexpr int SpaceBar = 48;

    enum class Press { Edited, Unchanged, ShiftToggled };

    bool ShiftOn() const { return m_shiftOn; }

    // The key's face in the layout showing now; for all but the four special
    // keys also exactly what the key types.
    QString Caption(int index) const { return Caption(index, m_shiftOn); }
    static QString Caption(int index, bool shifted);

    // One press of key `index`; `entry` is changed only for Press::Edited.
    Press PressKey(int index, EntryState &entry);

    // Colour of key `key` with the pointer over key `hoverKey`, or over the
    // window background when `hoverKey` is -1: true for the highlight colour.
    bool IsHighlighted(int key, int hoverKey) const;

    // Replaces the selection (or inserts at the caret) and leaves the caret
    // after the new text.
    static EntryState InsertAtCaret(const EntryState &entry, const QString &text);
    // Nothing (no value) when the caret or the selection starts at 0.
    static std::optional<EntryState> DeleteBeforeCaret(const EntryState &entry);

private:
    bool m_shiftOn = false;
};
