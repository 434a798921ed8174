#include "ActionToolbar.h"

#include "Messages.h"
#include "frmShopFloorButtonBar.h"

void BuildActionButtons(frmShopFloorButtonBar *toolbar)
{
    toolbar->Clear();
    toolbar->AddButton(GetMessageText(MessageId::SendToCnc), QIcon(QStringLiteral(":/icons/SEND.svg")));
    toolbar->AddButton(GetMessageText(MessageId::ReceiveFromCnc), QIcon(QStringLiteral(":/icons/RECEIVE.svg")));
}
