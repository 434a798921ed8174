#pragma once

class frmShopFloorButtonBar;

// Fills the action toolbar with its two buttons: 1 "Send to CNC" with the
// SEND picture, 2 "Receive from CNC" with the RECEIVE picture.
void BuildActionButtons(frmShopFloorButtonBar *toolbar);
