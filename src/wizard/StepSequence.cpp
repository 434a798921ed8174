#include "StepSequence.h"

StepNavigation NavigateStep(int step, bool hasSendMachines, bool hasReceiveMachines, bool userMode)
{
    StepNavigation n;
    switch (step) {
    case 0:
        n.next = 1;
        n.title = MessageId::SelectDatabaseTitle;
        break;
    case 1:
        n.back = 0;
        n.next = hasSendMachines ? 2 : hasReceiveMachines ? 3 : -1;
        n.title = userMode ? MessageId::SelectMachinesForUserTitle : MessageId::SelectMachinesForPcTitle;
        n.noNextMessage = userMode ? MessageId::NoMachineEnabledForUser : MessageId::NoMachineEnabledForPc;
        break;
    case 2:
        n.back = 1;
        n.next = hasReceiveMachines ? 3 : -1;
        n.defaultButton = hasReceiveMachines ? WizardButton::Next : WizardButton::Finish;
        n.title = MessageId::SelectSendOptionsTitle;
        break;
    case 3:
        n.back = hasSendMachines ? 2 : 1;
        n.defaultButton = WizardButton::Finish;
        n.title = MessageId::SelectReceiveOptionsTitle;
        break;
    default:
        break;
    }
    return n;
}
