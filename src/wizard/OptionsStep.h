#pragma once

#include "MessageId.h"
#include "StationStatements.h"

#include <QHash>
#include "WizardStep.h"

#include <functional>

struct WizardState;
class GridArray;
class WizardGrid;

// Steps 2 and 3: remote command, extensions and directory of each machine
// for sending (grdSend) or receiving (grdReceive).
class OptionsStep : public WizardStep
{
    Q_OBJECT
public:
    // Columns of SendRows and ReceiveRows.
    enum Column { ColMachineId, ColNumber, ColName, ColRemoteCommand, ColExtension, ColDirectory };

    OptionsStep(WizardState &state, TransferDirection direction, QWidget *parent = nullptr);

    // EnterSendStep / EnterReceiveStep. False (after a message) when the
    // options cannot be read.
    bool EnterOptionsStep(bool windowVisible);
    // CheckSendOptions / CheckReceiveOptions: runs `passed` when every row
    // is right, else shows the first row's fault and focuses its cell. The
    // folders are asked of the folder reader; one that does not answer within
    // its bound is named in a message and the step stays open.
    void CheckOptions(std::function<void()> passed);
    // The folder picker of a Directory cell; refuses hidden, system and
    // alias folders and opens again until one is accepted or it is cancelled.
    void BrowseDirectoryCell(int row);

    bool enterStep(bool windowVisible) override { return EnterOptionsStep(windowVisible); }
    // IsOptionsStepComplete.
    bool isStepComplete() const override { return true; }
    void checkStep(std::function<void()> passed) override { CheckOptions(std::move(passed)); }
    QWidget *mainControl() const override;
    bool isEditing() const override;

    WizardGrid *grid;

private:
    bool LoadOptions();
    // The first faulty row's message and cell, as far as the folders' answers
    // go; false while a row waits for a folder that has not answered.
    bool EvaluateRows(const QHash<QString, MessageId> &verdicts, MessageId *message, int *row, int *column,
                      QString *argument) const;
    void OpenFolderPicker(int row, const QString &start);

    WizardState &m_state;
    TransferDirection m_direction;
    GridArray *m_rows;
    int m_step;
};
