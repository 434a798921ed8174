#include "KeyboardKeys.h"

#include "Messages.h"

namespace {

// Only characters allowed in a Windows file name; the shifted 8 stays 8
// because "*" is not.
const char *const NormalCaptions[KeyboardKeys::KeyCount] = {
    "`", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", nullptr,
    "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "[", "]",
    "A", "S", "D", "F", "G", "H", "J", "K", "L", ";", "'",
    nullptr, "Z", "X", "C", "V", "B", "N", "M", ",", ".", nullptr,
    "",
};

const char *const ShiftedCaptions[KeyboardKeys::KeyCount] = {
    "~", "!", "@", "#", "$", "%", "^", "&", "8", "(", ")", "_", "+", nullptr,
    "q", "w", "e", "r", "t", "y", "u", "i", "o", "p", "{", "}",
    "a", "s", "d", "f", "g", "h", "j", "k", "l", ";", "'",
    nullptr, "z", "x", "c", "v", "b", "n", "m", ",", ".", nullptr,
    "",
};

bool IsShiftKey(int index)
{
    return index == KeyboardKeys::LeftShift || index == KeyboardKeys::RightShift;
}

} // namespace

QString KeyboardKeys::Caption(int index, bool shifted)
{
    if (index == Backspace)
        return GetMessageText(MessageId::BackspaceKey);
    if (IsShiftKey(index))
        return GetMessageText(MessageId::ShiftKey);
    if (index < 0 || index >= KeyCount)
        return QString();
    return QString::fromLatin1(shifted ? ShiftedCaptions[index] : NormalCaptions[index]);
}

KeyboardKeys::Press KeyboardKeys::PressKey(int index, EntryState &entry)
{
    if (index < 0 || index >= KeyCount)
        return Press::Unchanged;
    if (IsShiftKey(index)) {
        m_shiftOn = !m_shiftOn;
        return Press::ShiftToggled;
    }
    if (index == Backspace) {
        const std::optional<EntryState> after = DeleteBeforeCaret(entry);
        if (!after)
            return Press::Unchanged;
        entry = *after;
        return Press::Edited;
    }
    // The space bar's face is empty but it types a blank.
    entry = InsertAtCaret(entry, index == SpaceBar ? QStringLiteral(" ") : Caption(index));
    return Press::Edited;
}

bool KeyboardKeys::IsHighlighted(int key, int hoverKey) const
{
    if (key == hoverKey)
        return true;
    return IsShiftKey(key) && m_shiftOn;
}

namespace {

// Keeps positions inside the text, whatever the caller hands in.
EntryState Clamped(const EntryState &entry)
{
    EntryState c = entry;
    const int length = int(c.text.size());
    c.selStart = qBound(0, c.selStart, length);
    c.selLength = qBound(0, c.selLength, length - c.selStart);
    return c;
}

} // namespace

EntryState KeyboardKeys::InsertAtCaret(const EntryState &entry, const QString &text)
{
    const EntryState e = Clamped(entry);
    EntryState out;
    out.text = e.text.left(e.selStart) + text + e.text.mid(e.selStart + e.selLength);
    out.selStart = e.selStart + int(text.size());
    out.selLength = 0;
    return out;
}

std::optional<EntryState> KeyboardKeys::DeleteBeforeCaret(const EntryState &entry)
{
    const EntryState e = Clamped(entry);
    if (e.selStart == 0)
        return std::nullopt;
    EntryState out;
    if (e.selLength > 0) {
        out.text = e.text.left(e.selStart) + e.text.mid(e.selStart + e.selLength);
        out.selStart = e.selStart;
    } else {
        out.text = e.text.left(e.selStart - 1) + e.text.mid(e.selStart);
        out.selStart = e.selStart - 1;
    }
    out.selLength = 0;
    return out;
}
