#include "StationStep.h"

#include "Messages.h"
#include "StationCellStyle.h"
#include "StationTables.h"
#include "StepMessages.h"
#include "WizardGrid.h"
#include "WizardState.h"

#include <QVBoxLayout>

StationStep::StationStep(WizardState &state, QWidget *parent)
    : WizardStep(parent), m_state(state)
{
    SetUpStationGrid();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(grdMachines);
}

void StationStep::SetUpStationGrid()
{
    GridArray *rows = m_state.StationRows;
    using Kind = GridArray::CellKind;
    rows->setColumn(ColEnabled, {GetMessageText(MessageId::Enabled), Kind::Boolean, true, {}, false});
    rows->setColumn(ColNumber, {GetMessageText(MessageId::MachineNumber), Kind::Text, true, {}, false});
    rows->setColumn(ColName, {GetMessageText(MessageId::MachineName), Kind::Text, true, {}, false});
    QList<QPair<int, QString>> editModes, cmdTypes;
    for (int i = 0; i <= 2; ++i) {
        editModes.append({i, EditModeText(i)});
        cmdTypes.append({i, CmdTypeText(i)});
    }
    rows->setColumn(ColEditMode, {GetMessageText(MessageId::EditMode), Kind::Integer, true, editModes, false});
    rows->setColumn(ColCmdType, {GetMessageText(MessageId::CommandType), Kind::Integer, true, cmdTypes, false});
    rows->setColumn(ColMachineId, {QStringLiteral("who cares"), Kind::Integer, false, {}, false});

    rows->setEditRule([rows](int row, int column) {
        if (column == ColEnabled)
            return true;
        if (column == ColEditMode || column == ColCmdType)
            return !StationCellStyleFor(rows->cellBool(row, ColEnabled), false, row).locked;
        return false;
    });
    rows->setStoreRule([this](int, int column, const QVariant &value) {
        const bool empty = !value.isValid() || value.toString().isEmpty();
        if (empty && (column == ColEditMode || column == ColCmdType)) {
            ShowMessageLater(this, GetMessageText(column == ColEditMode ? MessageId::EditModeEmpty
                                                                        : MessageId::CommandTypeEmpty));
            return false;
        }
        return true;
    });

    grdMachines = new WizardGrid(rows, this);
    grdMachines->setObjectName(QStringLiteral("grdMachines"));
    grdMachines->setColumnShares({12, 20, 34, 17, 17, 0});
    grdMachines->cellDelegate()->setPainter(
        [rows](QStyleOptionViewItem &option, int row, int column, bool selected) {
            if (column == ColEnabled || column == ColMachineId)
                return;
            const StationCellStyle s = StationCellStyleFor(rows->cellBool(row, ColEnabled), selected, row);
            if (selected)
                return; // the view draws the highlight itself
            option.backgroundBrush = s.background == QPalette::NoRole
                                         ? QBrush(s.custom)
                                         : option.palette.brush(QPalette::Active, s.background);
            option.palette.setColor(QPalette::Text, option.palette.color(QPalette::Active, s.foreground));
        });
}

bool StationStep::EnterStationStep(bool windowVisible)
{
    if (windowVisible)
        grdMachines->setFocus(Qt::OtherFocusReason);
    if (m_state.StepLoaded[1])
        return true;
    clsAccessDBConnection &c = *m_state.WizardConnection;
    if (c.IsConnected())
        c.Disconnect();
    c.setDatabase(m_state.DatabasePath);
    if (!c.Connect()) {
        ShowMessage(DatabaseFailureText(m_state.DatabasePath, LastConnectionError(c)));
        return false;
    }
    ResetGridArrays(m_state);
    if (!LoadStationMachines())
        return false;
    m_state.StepLoaded[1] = true;
    return true;
}

bool StationStep::LoadStationMachines()
{
    const LoadResult<MachineChoice> loaded = LoadMachineChoices(*m_state.WizardConnection, m_state.StationKey);
    if (!loaded.ok) {
        ShowMessage(DatabaseFailureText(m_state.DatabasePath, loaded.error));
        return false;
    }
    QVector<QVector<QVariant>> rows;
    rows.reserve(loaded.rows.size());
    for (const MachineChoice &m : loaded.rows)
        rows.append({m.enabled, m.MACHINE_NUMBER, m.MACHINE_NAME, m.EDIT_MODE, m.CMD_TYPE, m.MACHINE_ID});
    m_state.StationRows->setRows(std::move(rows));
    // Keys work at once: Space ticks the first machine.
    if (!loaded.rows.isEmpty())
        grdMachines->setCurrentIndex(m_state.StationRows->index(0, ColEnabled));
    return true;
}

bool StationStep::IsStationStepComplete() const
{
    return m_state.StationRows->upperBound() != -1;
}

bool StationStep::CheckStationMachines()
{
    GridArray *rows = m_state.StationRows;
    m_state.HasSendMachines = false;
    m_state.HasReceiveMachines = false;
    QStringList sendList, receiveList;
    grdMachines->CommitGridEdit();
    for (int r = 0; r <= rows->upperBound(); ++r) {
        if (!rows->cellBool(r, ColEnabled))
            continue;
        // A stored code outside the list shows an empty cell, and is one.
        if (!rows->hasListedValue(r, ColEditMode)) {
            ShowMessage(GetMessageText(MessageId::EditModeEmpty));
            grdMachines->FocusGridCell(r, ColEditMode);
            return false;
        }
        if (!rows->hasListedValue(r, ColCmdType)) {
            ShowMessage(GetMessageText(MessageId::CommandTypeEmpty));
            grdMachines->FocusGridCell(r, ColCmdType);
            return false;
        }
        const int k = rows->cellInt(r, ColCmdType);
        const QString id = rows->cellText(r, ColMachineId);
        if (CmdTypeSends(k)) {
            m_state.HasSendMachines = true;
            sendList << id;
        }
        if (CmdTypeReceives(k)) {
            m_state.HasReceiveMachines = true;
            receiveList << id;
        }
    }
    const QString send = sendList.join(QLatin1String(", "));
    const QString receive = receiveList.join(QLatin1String(", "));
    if (send != m_state.SendMachineList) {
        m_state.SendMachineList = send;
        m_state.StepLoaded[2] = false;
    }
    if (receive != m_state.ReceiveMachineList) {
        m_state.ReceiveMachineList = receive;
        m_state.StepLoaded[3] = false;
    }
    return true;
}

QWidget *StationStep::mainControl() const
{
    return grdMachines;
}

bool StationStep::isEditing() const
{
    return grdMachines->isEditing();
}
