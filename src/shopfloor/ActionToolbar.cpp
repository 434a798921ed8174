#include "ActionToolbar.h"

#include "Messages.h"
#include "frmShopFloorButtonBar.h"

void BuildActionButtons(frmShopFloorButtonBar *toolbar)
{
    toolbar->Clear();
    toolbar->AddButton(GetMessageText(157), QIcon(QStringLiteral(":/icons/SEND.svg")));
    toolbar->AddButton(GetMessageText(158), QIcon(QStringLiteral(":/icons/RECEIVE.svg")));
}
