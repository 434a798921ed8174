#pragma once

#include "StationStatements.h"

#include <QWidget>

struct WizardState;
class GridArray;
class WizardGrid;

// Steps 2 and 3: remote command, extensions and directory of each machine
// for sending (grdSend) or receiving (grdReceive).
class OptionsStep : public QWidget
{
    Q_OBJECT
public:
    // Columns of SendRows and ReceiveRows.
    enum Column { ColMachineId, ColNumber, ColName, ColRemoteCommand, ColExtension, ColDirectory };

    OptionsStep(WizardState &state, TransferDirection direction, QWidget *parent = nullptr);

    // EnterSendStep / EnterReceiveStep. False (after a message) when the
    // options cannot be read.
    bool EnterOptionsStep(bool windowVisible);
    // CheckSendOptions / CheckReceiveOptions.
    bool CheckOptions();
    // The folder picker of a Directory cell; refuses hidden, system and
    // alias folders and opens again until one is accepted or it is cancelled.
    void BrowseDirectoryCell(int row);

    WizardGrid *grid;

private:
    bool LoadOptions();
    // 0, or 194/195/196 for a folder operators could not use.
    static int RefusedFolderMessage(const QString &folder);

    WizardState &m_state;
    TransferDirection m_direction;
    GridArray *m_rows;
    int m_step;
};
