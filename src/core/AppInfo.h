#pragma once

#include <QString>

// Caption of every message box and %1 of many messages.
inline QString ApplicationTitle() { return QStringLiteral("Quorvane Spindrel Client"); }

// True when the command line holds "-USER": the station is keyed by the
// session's user name instead of the computer name. Set once at start.
extern bool gbUserMode;

// Help context numbers of the three windows.
enum HelpContext : int {
    HelpContextAdminWizard = 200,
    HelpContextShopFloor = 300,
    HelpContextKeyboard = 500,
};
