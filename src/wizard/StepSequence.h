#pragma once

#include "MessageId.h"

// The wizard's steps: 0 database, 1 machines for this station, 2 send
// options, 3 receive options. The send step is left out when no machine
// sends, the receive step when none receives.

enum class WizardButton { Next, Finish };

struct StepNavigation {
    int next = -1; // the step Next shows; -1 for none
    int back = -1; // the step Back shows; -1 for none
    // The button Enter presses. Finish is enabled exactly on the last step of
    // the sequence, and Next is disabled there.
    WizardButton defaultButton = WizardButton::Next;
    MessageId title{}; // %1 the application title, %2 the station key; none when outside the steps
    // Shown when Next finds no step to go to.
    MessageId noNextMessage{};
};

// Where `step` leads, given the machines that step 1 enabled; in user mode
// the texts name the user instead of the PC. A step outside 0..3 leads nowhere.
StepNavigation NavigateStep(int step, bool hasSendMachines, bool hasReceiveMachines, bool userMode);
