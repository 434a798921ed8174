#pragma once

#include "GridArray.h"
#include "clsAccessDBConnection.h"

#include <QString>
#include <array>
#include <memory>

// What the wizard's steps share; owned by frmAdminWizard.
struct WizardState {
    int CurrentStep = 0;
    std::array<bool, 4> StepLoaded{};
    bool HasSendMachines = false;
    bool HasReceiveMachines = false;
    QString DatabasePath;
    QString StationKey;
    QString SendMachineList;
    QString ReceiveMachineList;
    std::unique_ptr<clsAccessDBConnection> WizardConnection;
    GridArray *StationRows = nullptr;
    GridArray *SendRows = nullptr;
    GridArray *ReceiveRows = nullptr;
    // Shown in user mode (titles and messages name the user).
    bool userMode = false;
    // A step's question to the file system in flight: its answer counts only
    // while the generation is current (showing a step moves it on), and Next
    // or Finish meanwhile is ignored.
    int CheckGeneration = 0;
    bool CheckPending = false;
};

// The three arrays to 0 rows by 6 columns.
inline void ResetGridArrays(WizardState &state)
{
    state.StationRows->clear();
    state.SendRows->clear();
    state.ReceiveRows->clear();
}
