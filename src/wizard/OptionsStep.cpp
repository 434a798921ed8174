#include "OptionsStep.h"

#include "FolderAttributes.h"
#include "Messages.h"
#include "Platform.h"
#include "StationTables.h"
#include "StepMessages.h"
#include "WizardGrid.h"
#include "WizardState.h"

#include <QHash>
#include <QVBoxLayout>

OptionsStep::OptionsStep(WizardState &state, TransferDirection direction, QWidget *parent)
    : QWidget(parent), m_state(state), m_direction(direction)
{
    const bool send = direction == TransferDirection::Send;
    m_rows = send ? state.SendRows : state.ReceiveRows;
    m_step = send ? 2 : 3;

    // SetUpOptionsGrid
    using Kind = GridArray::CellKind;
    m_rows->setColumn(ColMachineId, {QStringLiteral("who cares"), Kind::Integer, false, {}, false});
    m_rows->setColumn(ColNumber, {GetMessageText(107), Kind::Text, true, {}, false});
    m_rows->setColumn(ColName, {GetMessageText(128), Kind::Text, true, {}, false});
    m_rows->setColumn(ColRemoteCommand, {GetMessageText(145), Kind::Text, true, {}, false});
    m_rows->setColumn(ColExtension, {GetMessageText(146), Kind::Text, true, {}, false});
    m_rows->setColumn(ColDirectory, {GetMessageText(147), Kind::Text, true, {}, true});
    m_rows->setEditRule([](int, int column) { return column >= ColRemoteCommand; });
    m_rows->setStoreRule([this](int, int column, const QVariant &value) {
        const bool empty = !value.isValid() || value.toString().isEmpty();
        if (empty && (column == ColRemoteCommand || column == ColDirectory)) {
            ShowMessageLater(this, GetMessageText(column == ColRemoteCommand ? 151 : 152));
            return false;
        }
        return true;
    });

    grid = new WizardGrid(m_rows, this);
    grid->setObjectName(send ? QStringLiteral("grdSend") : QStringLiteral("grdReceive"));
    grid->setColumnShares({0, 14, 22, 16, 14, 34});
    connect(grid->cellDelegate(), &WizardCellDelegate::folderButtonClicked, this,
            &OptionsStep::BrowseDirectoryCell);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(grid);
}

bool OptionsStep::EnterOptionsStep(bool windowVisible)
{
    if (windowVisible)
        grid->setFocus(Qt::OtherFocusReason);
    if (m_state.StepLoaded[m_step])
        return true;
    if (!LoadOptions())
        return false;
    m_state.StepLoaded[m_step] = true;
    return true;
}

bool OptionsStep::LoadOptions()
{
    m_rows->clear();
    const QString list = m_direction == TransferDirection::Send ? m_state.SendMachineList
                                                                : m_state.ReceiveMachineList;
    QList<int> ids;
    for (const QString &id : list.split(QLatin1String(", "), Qt::SkipEmptyParts))
        ids << id.toInt();
    const LoadResult<MachineOptions> loaded =
        LoadMachineOptions(*m_state.WizardConnection, m_state.StationKey, m_direction, ids);
    if (!loaded.ok) {
        ShowMessage(DatabaseFailureText(m_state.DatabasePath, loaded.error));
        return false;
    }
    QVector<QVector<QVariant>> rows;
    rows.reserve(loaded.rows.size());
    for (const MachineOptions &m : loaded.rows)
        rows.append({m.MACHINE_ID, m.MACHINE_NUMBER, m.MACHINE_NAME, m.remoteCommand, m.extension,
                     m.directory});
    m_rows->setRows(std::move(rows));
    if (!loaded.rows.isEmpty())
        grid->setCurrentIndex(m_rows->index(0, ColRemoteCommand));
    return true;
}

int OptionsStep::RefusedFolderMessage(const QString &folder)
{
    const quint32 bits = GetFolderAttributes(folder);
    return bits & FileAttributeHidden        ? 194
         : bits & FileAttributeSystem        ? 195
         : bits & FileAttributeReparsePoint  ? 196
                                             : 0;
}

void OptionsStep::BrowseDirectoryCell(int row)
{
    grid->CommitGridEdit();
    for (;;) {
        QString start = m_rows->cellText(row, ColDirectory);
        if (!FolderExists(start))
            start.clear();
        const QString chosen = BrowseForFolder(window(), start);
        if (chosen.isEmpty())
            return;
        if (const int refusal = RefusedFolderMessage(chosen)) {
            ShowMessage(GetMessageText(refusal, chosen));
            continue;
        }
        m_rows->setCell(row, ColDirectory, chosen);
        grid->FocusGridCell(row, ColDirectory);
        return;
    }
}

bool OptionsStep::CheckOptions()
{
    grid->CommitGridEdit();
    // Machines mostly share a few folders: each is asked of the file system
    // once (a share over the network answers slowly).
    QHash<QString, int> folderVerdicts;
    const auto folderMessage = [&](const QString &dir) {
        auto it = folderVerdicts.constFind(dir);
        if (it == folderVerdicts.constEnd()) {
            const int verdict = !FolderExists(dir) ? 153 : IsRootFolder(dir) ? 0 : RefusedFolderMessage(dir);
            it = folderVerdicts.insert(dir, verdict);
        }
        return *it;
    };
    for (int r = 0; r <= m_rows->upperBound(); ++r) {
        int failed = 0, column = ColDirectory;
        QString argument;
        const QString dir = m_rows->cellText(r, ColDirectory);
        if (m_rows->cellText(r, ColRemoteCommand).isEmpty()) {
            failed = 151;
            column = ColRemoteCommand;
        } else if (dir.isEmpty()) {
            failed = 152;
        } else {
            failed = folderMessage(dir);
            argument = dir;
        }
        if (failed) {
            ShowMessage(GetMessageText(failed, argument));
            grid->FocusGridCell(r, column);
            return false;
        }
    }
    return true;
}
