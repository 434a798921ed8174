#include "OptionsStep.h"

#include "FolderAttributes.h"
#include "FolderReader.h"
#include "FolderPicker.h"
#include "Messages.h"
#include "Platform.h"
#include "StationTables.h"
#include "StepMessages.h"
#include "WizardGrid.h"
#include "WizardState.h"

#include <QHash>
#include <QVBoxLayout>

OptionsStep::OptionsStep(WizardState &state, TransferDirection direction, QWidget *parent)
    : WizardStep(parent), m_state(state), m_direction(direction)
{
    const bool send = direction == TransferDirection::Send;
    m_rows = send ? state.SendRows : state.ReceiveRows;
    m_step = send ? 2 : 3;

    // SetUpOptionsGrid
    using Kind = GridArray::CellKind;
    m_rows->setColumn(ColMachineId, {QStringLiteral("who cares"), Kind::Integer, false, {}, false});
    m_rows->setColumn(ColNumber, {GetMessageText(MessageId::MachineNumber), Kind::Text, true, {}, false});
    m_rows->setColumn(ColName, {GetMessageText(MessageId::MachineName), Kind::Text, true, {}, false});
    m_rows->setColumn(ColRemoteCommand, {GetMessageText(MessageId::RemoteCommand), Kind::Text, true, {}, false});
    m_rows->setColumn(ColExtension, {GetMessageText(MessageId::Extension), Kind::Text, true, {}, false});
    m_rows->setColumn(ColDirectory, {GetMessageText(MessageId::Directory), Kind::Text, true, {}, true});
    m_rows->setEditRule([](int, int column) { return column >= ColRemoteCommand; });
    m_rows->setStoreRule([this](int, int column, const QVariant &value) {
        const bool empty = !value.isValid() || value.toString().isEmpty();
        if (empty && (column == ColRemoteCommand || column == ColDirectory)) {
            ShowMessageLater(this, GetMessageText(column == ColRemoteCommand ? MessageId::RemoteCommandEmpty
                                                                             : MessageId::DirectoryEmpty));
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

void OptionsStep::BrowseDirectoryCell(int row)
{
    grid->CommitGridEdit();
    if (m_state.CheckPending)
        return;
    // The picker starts in the cell's folder when it exists; a folder that
    // does not answer is not waited for beyond the bound.
    const QString start = m_rows->cellText(row, ColDirectory);
    if (start.isEmpty()) {
        OpenFolderPicker(row, start);
        return;
    }
    const int generation = ++m_state.CheckGeneration;
    m_state.CheckPending = true;
    const auto open = [this, generation, row](const QString &folder) {
        if (generation != m_state.CheckGeneration)
            return;
        ++m_state.CheckGeneration;
        m_state.CheckPending = false;
        OpenFolderPicker(row, folder);
    };
    FolderReader::Handlers<MessageId> handlers;
    handlers.done = [open, start](MessageId verdict) {
        open(verdict == MessageId::DirectoryNotFound ? QString() : start);
    };
    handlers.notAnswering = [open] { open(QString()); };
    FolderReader::shared().ask<MessageId>(QStringLiteral("options folder"), start,
                                          [start] { return OptionsFolderMessage(start); }, this,
                                          std::move(handlers));
}

void OptionsStep::OpenFolderPicker(int row, const QString &start)
{
    const QString chosen = BrowseForFolder(window(), start);
    if (chosen.isEmpty())
        return;
    const int generation = ++m_state.CheckGeneration;
    m_state.CheckPending = true;
    const auto settle = [this, generation](const std::function<void()> &then) {
        if (generation != m_state.CheckGeneration)
            return;
        ++m_state.CheckGeneration;
        m_state.CheckPending = false;
        then();
    };
    FolderReader::Handlers<MessageId> handlers;
    handlers.done = [this, settle, row, chosen](MessageId verdict) {
        settle([&] {
            // Only the attributes refuse here: the picker chose an existing folder.
            if (verdict != MessageId::None && verdict != MessageId::DirectoryNotFound) {
                ShowMessage(GetMessageText(verdict, chosen));
                OpenFolderPicker(row, QString());
                return;
            }
            m_rows->setCell(row, ColDirectory, chosen);
            grid->FocusGridCell(row, ColDirectory);
        });
    };
    handlers.notAnswering = [this, settle, chosen] {
        settle([&] { ShowMessage(GetMessageText(MessageId::FolderNotAnswering, chosen)); });
    };
    FolderReader::shared().ask<MessageId>(QStringLiteral("options folder"), chosen,
                                          [chosen] { return OptionsFolderMessage(chosen); }, this,
                                          std::move(handlers));
}

bool OptionsStep::EvaluateRows(const QHash<QString, MessageId> &verdicts, MessageId *message, int *row,
                               int *column, QString *argument) const
{
    *message = MessageId::None;
    for (int r = 0; r <= m_rows->upperBound(); ++r) {
        const QString dir = m_rows->cellText(r, ColDirectory);
        *row = r;
        *column = ColDirectory;
        argument->clear();
        if (m_rows->cellText(r, ColRemoteCommand).isEmpty()) {
            *message = MessageId::RemoteCommandEmpty;
            *column = ColRemoteCommand;
        } else if (dir.isEmpty()) {
            *message = MessageId::DirectoryEmpty;
        } else {
            const auto it = verdicts.constFind(dir);
            if (it == verdicts.constEnd())
                return false;
            *message = *it;
            *argument = dir;
        }
        if (*message != MessageId::None)
            return true;
    }
    return true;
}

void OptionsStep::CheckOptions(std::function<void()> passed)
{
    grid->CommitGridEdit();
    if (m_state.CheckPending)
        return;
    // Machines mostly share a few folders: each is asked once, all at once.
    QStringList folders;
    for (int r = 0; r <= m_rows->upperBound(); ++r) {
        const QString dir = m_rows->cellText(r, ColDirectory);
        if (!dir.isEmpty() && !folders.contains(dir))
            folders << dir;
    }
    struct Check {
        QHash<QString, MessageId> verdicts;
        std::function<void()> passed;
    };
    const auto check = std::make_shared<Check>();
    check->passed = std::move(passed);
    const int generation = ++m_state.CheckGeneration;
    m_state.CheckPending = true;
    // Decides as soon as the rows in order can be judged: a fault in row 1
    // is not kept waiting for a folder of row 9.
    const auto decide = [this, generation, check](const QString &silentFolder) {
        if (generation != m_state.CheckGeneration)
            return;
        MessageId message = MessageId::None;
        int row = 0, column = ColDirectory;
        QString argument;
        if (!EvaluateRows(check->verdicts, &message, &row, &column, &argument)) {
            if (silentFolder.isEmpty())
                return;
            // The first row still waiting names the folder that does not answer.
            message = MessageId::FolderNotAnswering;
            argument = m_rows->cellText(row, ColDirectory);
        }
        ++m_state.CheckGeneration;
        m_state.CheckPending = false;
        if (message != MessageId::None) {
            ShowMessage(GetMessageText(message, argument));
            grid->FocusGridCell(row, column);
            return;
        }
        check->passed();
    };
    decide(QString());
    for (const QString &dir : std::as_const(folders)) {
        FolderReader::Handlers<MessageId> handlers;
        handlers.done = [check, dir, decide](MessageId verdict) {
            check->verdicts.insert(dir, verdict);
            decide(QString());
        };
        handlers.notAnswering = [decide, dir] { decide(dir); };
        FolderReader::shared().ask<MessageId>(QStringLiteral("options folder"), dir,
                                              [dir] { return OptionsFolderMessage(dir); }, this,
                                              std::move(handlers));
    }
}

QWidget *OptionsStep::mainControl() const
{
    return grid;
}

bool OptionsStep::isEditing() const
{
    return grid->isEditing();
}
