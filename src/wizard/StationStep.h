#pragma once

#include "WizardStep.h"

struct WizardState;
class WizardGrid;

// Step 1: which machines this station may use, with their edit mode and
// command type.
class StationStep : public WizardStep
{
    Q_OBJECT
public:
    // Columns of StationRows.
    enum Column { ColEnabled, ColNumber, ColName, ColEditMode, ColCmdType, ColMachineId };

    StationStep(WizardState &state, QWidget *parent = nullptr);

    // Opens the accepted database and loads the grid when not loaded yet.
    // False (after one message saying why) when the database cannot be
    // opened or read.
    bool EnterStationStep(bool windowVisible);
    bool IsStationStepComplete() const;
    // Derives the send and receive machine lists; EditModeEmpty or
    // CommandTypeEmpty on an enabled row without edit mode or command type
    // (or with a code that is not in the list, which shows as an empty cell).
    bool CheckStationMachines();

    bool enterStep(bool windowVisible) override { return EnterStationStep(windowVisible); }
    bool isStepComplete() const override { return IsStationStepComplete(); }
    void checkStep(std::function<void()> passed) override
    {
        if (CheckStationMachines())
            passed();
    }
    QWidget *mainControl() const override;
    bool isEditing() const override;

    WizardGrid *grdMachines;

private:
    void SetUpStationGrid();
    bool LoadStationMachines();

    WizardState &m_state;
};
