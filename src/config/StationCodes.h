#pragma once

#include "MessageId.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QVariant>

// Codes of T_DNC_MPPC.EDIT_MODE.
enum EditMode : int {
    EditModeNone = 0,
    EditModeViewOnly = 1,
    EditModeEdit = 2,
};

// Codes of T_DNC_MPPC.CMD_TYPE. A machine a station may not use has no row.
enum CmdType : int {
    CmdTypeSend = 0,
    CmdTypeReceive = 1,
    CmdTypeBoth = 2,
};

// The codes' texts in the string table.
constexpr MessageId EditModeTextId(int code) { return MessageId::EditModeNone + code; }
constexpr MessageId CmdTypeTextId(int code) { return MessageId::CommandSend + code; }
constexpr bool IsEditMode(int code) { return code >= EditModeNone && code <= EditModeEdit; }
constexpr bool IsCmdType(int code) { return code >= CmdTypeSend && code <= CmdTypeBoth; }
constexpr bool CmdTypeSends(int code) { return code == CmdTypeSend || code == CmdTypeBoth; }
constexpr bool CmdTypeReceives(int code) { return code == CmdTypeReceive || code == CmdTypeBoth; }

// The texts of the codes from the string table; empty for an unknown code.
QString EditModeText(int code);
QString CmdTypeText(int code);

// The stored extension text split at ";": pieces trimmed, empty pieces
// skipped, "." put in front of pieces that lack it; letters kept as stored.
// "NC;TXT" -> .NC .TXT; "." -> . (names without extension). Index 0 here is
// entry 1 of the original numbering.
QStringList ParseExtensionList(const QString &text);

// How the wizard stores what the administrator typed: the extension with "."
// in front when its first character is not "." (null QVariant when empty),
// and the directory with a trailing separator (the platform's: a backslash
// on Windows; a "/" path must not end in "\\").
QVariant StoredExtensionText(const QString &cellText);
QString StoredDirectoryText(const QString &cellText, QChar separator = QDir::separator());
