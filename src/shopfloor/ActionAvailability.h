#pragma once

#include <optional>

// Which transfer actions a machine allows, and which of the Edit and View
// buttons the file row offers. Plain rules, no widgets.

enum ActionButton : int { ActionSendButton = 1, ActionReceiveButton = 2 };

struct ActionAvailability {
    // False for a CMD_TYPE other than 0, 1 and 2: the toolbar is left as it
    // was and no action is chosen, so the previous machine's state stays.
    bool known = false;
    bool sendEnabled = false;
    bool receiveEnabled = false;
    int firstButton = 0; // ActionButton to click, 0 when none
};
ActionAvailability ActionsForCommandType(int cmdType);

// Visibility of cmdEdit and cmdView; nullopt means "leave as it is" (an edit
// mode other than 0, 1 and 2 with an editor configured).
struct EditViewVisibility {
    bool edit = false;
    bool view = false;
};
std::optional<EditViewVisibility> EditViewFor(bool editorConfigured, int editMode);
