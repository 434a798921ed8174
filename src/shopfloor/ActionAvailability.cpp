#include "ActionAvailability.h"

ActionAvailability ActionsForCommandType(int cmdType)
{
    ActionAvailability a;
    switch (cmdType) {
    case 0:
        a = {true, true, false, ActionSendButton};
        break;
    case 1:
        a = {true, false, true, ActionReceiveButton};
        break;
    case 2:
        a = {true, true, true, ActionSendButton};
        break;
    default:
        break;
    }
    return a;
}

std::optional<EditViewVisibility> EditViewFor(bool editorConfigured, int editMode)
{
    if (!editorConfigured)
        return EditViewVisibility{false, false};
    switch (editMode) {
    case 0:
        return EditViewVisibility{false, false};
    case 1:
        return EditViewVisibility{false, true};
    case 2:
        return EditViewVisibility{true, false};
    default:
        return std::nullopt;
    }
}
