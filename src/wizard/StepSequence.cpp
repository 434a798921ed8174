#include "StepSequence.h"

StepNavigation NavigateStep(int step, bool hasSendMachines, bool hasReceiveMachines, bool userMode)
{
    StepNavigation n;
    switch (step) {
    case 0:
        n.next = 1;
        n.title = 117;
        break;
    case 1:
        n.back = 0;
        n.next = hasSendMachines ? 2 : hasReceiveMachines ? 3 : -1;
        n.title = userMode ? 197 : 133;
        n.noNextMessage = userMode ? 199 : 182;
        break;
    case 2:
        n.back = 1;
        n.next = hasReceiveMachines ? 3 : -1;
        n.defaultButton = hasReceiveMachines ? WizardButton::Next : WizardButton::Finish;
        n.title = 134;
        break;
    case 3:
        n.back = hasSendMachines ? 2 : 1;
        n.defaultButton = WizardButton::Finish;
        n.title = 135;
        break;
    default:
        break;
    }
    return n;
}
