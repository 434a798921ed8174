#include "frmAdminWizard.h"

#include "CRegSettings.h"
#include "Messages.h"
#include "OptionsStep.h"
#include "StationStep.h"
#include "StationTables.h"

#include <QApplication>
#include <QCursor>
#include <QHash>
#include <QPushButton>

namespace {

// MACHINE_ID -> the first row of an options array that holds it.
QHash<int, int> OptionsRows(const GridArray *rows)
{
    QHash<int, int> index;
    index.reserve(rows->upperBound() + 1);
    for (int r = rows->upperBound(); r >= 0; --r)
        index.insert(rows->cellInt(r, OptionsStep::ColMachineId), r);
    return index;
}

} // namespace

bool frmAdminWizard::CollectStationSettings(QList<StationMachineSetting> *settings,
                                            QString *error) const
{
    const GridArray *rows = State.StationRows;
    const QHash<int, int> sendRows = OptionsRows(State.SendRows);
    const QHash<int, int> receiveRows = OptionsRows(State.ReceiveRows);
    // The options steps list only machines of T_DNC_MACHINES: a machine
    // without its row there was removed from the database meanwhile.
    const auto missing = [&](int machineId) {
        *error = GetMessageText(MessageId::MachineNoLongerInDatabase, QString::number(machineId));
        return false;
    };
    for (int r = 0; r <= rows->upperBound(); ++r) {
        if (!rows->cellBool(r, StationStep::ColEnabled))
            continue;
        StationMachineSetting s;
        s.MACHINE_ID = rows->cellInt(r, StationStep::ColMachineId);
        s.EDIT_MODE = rows->cellInt(r, StationStep::ColEditMode);
        s.CMD_TYPE = rows->cellInt(r, StationStep::ColCmdType);
        if (CmdTypeSends(s.CMD_TYPE)) {
            const int o = sendRows.value(s.MACHINE_ID, -1);
            if (o < 0)
                return missing(s.MACHINE_ID);
            s.sendRemoteCommand = State.SendRows->cellText(o, OptionsStep::ColRemoteCommand);
            s.sendExtension = State.SendRows->cellText(o, OptionsStep::ColExtension);
            s.sendDirectory = State.SendRows->cellText(o, OptionsStep::ColDirectory);
        }
        if (CmdTypeReceives(s.CMD_TYPE)) {
            const int o = receiveRows.value(s.MACHINE_ID, -1);
            if (o < 0)
                return missing(s.MACHINE_ID);
            s.recvRemoteCommand = State.ReceiveRows->cellText(o, OptionsStep::ColRemoteCommand);
            s.recvExtension = State.ReceiveRows->cellText(o, OptionsStep::ColExtension);
            s.recvDirectory = State.ReceiveRows->cellText(o, OptionsStep::ColDirectory);
        }
        settings->append(s);
    }
    return true;
}

void frmAdminWizard::FinishButton_Click()
{
    if (!FinishButton->isEnabled())
        return;
    // Finish is enabled only on the last step: its check has not run yet.
    fraStep[State.CurrentStep]->checkStep([this] { SaveStation(); });
}

void frmAdminWizard::SaveStation()
{
    QList<StationMachineSetting> settings;
    QString error;
    if (!CollectStationSettings(&settings, &error)) {
        ShowMessage(error);
        State.StepLoaded[1] = State.StepLoaded[2] = State.StepLoaded[3] = false;
        ShowStep(1);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SaveResult saved = SaveStationMachines(*State.WizardConnection, State.StationKey, settings);
    QApplication::restoreOverrideCursor();
    if (saved.status == SaveResult::DeleteFailed) {
        ShowMessage(GetMessageText(MessageId::StationRowsNotDeleted));
        return;
    }
    if (!saved.ok()) {
        ShowMessage(saved.error);
        return;
    }
    // Only a saved station changes which database the user's station opens.
    // Rewriting an unchanged value would only cost a file write.
    const CRegSettings registry;
    const QString section = QStringLiteral("Settings"), value = QStringLiteral("Database");
    const QVariant stored = registry.GetUserSetting(section, value);
    const bool unchanged = stored.typeId() == QMetaType::QString && stored.toString() == State.DatabasePath;
    if (!unchanged && !registry.SaveUserSetting(section, value, State.DatabasePath)) {
        ShowMessage(GetMessageText(MessageId::DatabasePathNotStored));
        return;
    }
    accept();
}
