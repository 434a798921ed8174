#include "DatabaseStep.h"

#include "CRegSettings.h"
#include "DatabaseTarget.h"
#include "FolderQuestions.h"
#include "FolderReader.h"
#include "Messages.h"
#include "Platform.h"
#include "WizardState.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// "Text|*.a;*.b" as a Qt name filter.
QString QtNameFilter(const QString &entry)
{
    const QString text = entry.section(QLatin1Char('|'), 0, 0);
    const QString patterns = entry.section(QLatin1Char('|'), 1).replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.isEmpty() || text.endsWith(QLatin1Char(')')))
        return text;
    return QStringLiteral("%1 (%2)").arg(text, patterns);
}

} // namespace

DatabaseStep::DatabaseStep(WizardState &state, QWidget *parent)
    : WizardStep(parent),
      lblDatabase(new QLabel(this)),
      txtDatabase(new QLineEdit(this)),
      cmdBrowse(new QPushButton(this)),
      m_state(state)
{
    txtDatabase->setObjectName(QStringLiteral("txtDatabase"));
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse->setAutoDefault(false);
    cmdBrowse->setText(GetMessageText(MessageId::Browse));
    lblDatabase->setBuddy(txtDatabase);
    const int touch = qMax(fontMetrics().height() + 18, 40);
    txtDatabase->setMinimumHeight(touch);
    cmdBrowse->setMinimumSize(touch * 3, touch);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 24, 12, 12);
    grid->addWidget(lblDatabase, 0, 0, 1, 2);
    grid->addWidget(txtDatabase, 1, 0);
    grid->addWidget(cmdBrowse, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);

    txtDatabase->installEventFilter(this);
    connect(txtDatabase, &QLineEdit::textChanged, this, &DatabaseStep::changed);
    connect(cmdBrowse, &QPushButton::clicked, this, &DatabaseStep::cmdBrowse_Click);
}

void DatabaseStep::EnterDatabaseStep(bool windowVisible)
{
    if (windowVisible)
        txtDatabase->setFocus(Qt::OtherFocusReason);
    if (!m_state.StepLoaded[0]) {
        txtDatabase->setText(
            CRegSettings().GetUserSetting(QStringLiteral("Settings"), QStringLiteral("Database"), QString())
                .toString());
        m_state.StepLoaded[0] = true;
    }
}

bool DatabaseStep::IsDatabaseStepComplete() const
{
    return !txtDatabase->text().isEmpty();
}

void DatabaseStep::CheckDatabase(std::function<void()> passed)
{
    const QString text = txtDatabase->text();
    if (m_state.CheckPending)
        return;
    const auto takeOver = [this, text, passed] {
        if (text != m_state.DatabasePath) {
            m_state.DatabasePath = text;
            m_state.StepLoaded[1] = m_state.StepLoaded[2] = m_state.StepLoaded[3] = false;
        }
        passed();
    };
    // A server is reached only when the next step opens it.
    if (text == m_state.DatabasePath || DatabaseBackendForPath(text) == DbBackend::PostgreSql) {
        takeOver();
        return;
    }
    const int generation = ++m_state.CheckGeneration;
    m_state.CheckPending = true;
    const auto settle = [this, generation](MessageId message, const QString &argument,
                                           const std::function<void()> &then) {
        if (generation != m_state.CheckGeneration)
            return;
        ++m_state.CheckGeneration;
        m_state.CheckPending = false;
        if (message == MessageId::None) {
            then();
            return;
        }
        ShowMessage(GetMessageText(message, argument));
        txtDatabase->setFocus(Qt::OtherFocusReason);
    };
    const QString folder = GetFolderPart(QDir::toNativeSeparators(text));
    FolderReader::Handlers<PathProbe> handlers;
    handlers.done = [settle, text, takeOver](const PathProbe &probe) {
        settle(probe.file ? MessageId::None : MessageId::DatabaseNotFound, PathForDisplay(text), takeOver);
    };
    handlers.notAnswering = [settle, folder, text] {
        settle(MessageId::FolderNotAnswering, folder.isEmpty() ? text : folder, {});
    };
    FolderReader::shared().ask<PathProbe>(PathQuestion() + QLatin1Char(' ') + text, folder,
                                          [text] { return ProbePath(text); }, this,
                                          std::move(handlers));
}

QString DatabaseStep::ChooseDatabaseFile()
{
    QFileDialog dialog(window(), GetMessageText(MessageId::SelectFile));
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The embedded default is an SQLite file, so those and all files are
    // offered after the Access filter.
    dialog.setNameFilters({QtNameFilter(GetMessageText(MessageId::AccessDatabaseFilter)),
                           GetMessageText(MessageId::SqliteDatabaseFilter),
                           GetMessageText(MessageId::AllFilesFilter)});
    const QString text = txtDatabase->text();
    if (!text.isEmpty()) {
        const QString folder = GetFolderPart(text);
        if (!folder.isEmpty())
            dialog.setDirectory(folder);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

void DatabaseStep::cmdBrowse_Click()
{
    const QString chosen = ChooseDatabaseFile();
    if (!chosen.isEmpty())
        txtDatabase->setText(chosen);
}

bool DatabaseStep::eventFilter(QObject *watched, QEvent *event)
{
    // txtDatabase_GotFocus; after the click that gave the focus has placed
    // the cursor.
    if (watched == txtDatabase && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtDatabase, [this] { txtDatabase->selectAll(); });
    return QWidget::eventFilter(watched, event);
}

QWidget *DatabaseStep::mainControl() const
{
    return txtDatabase;
}
