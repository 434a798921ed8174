#include "frmAdminWizard.h"

#include "AppInfo.h"
#include "DatabaseStep.h"
#include "FormUtil.h"
#include "Help.h"
#include "IntlFonts.h"
#include "Messages.h"
#include "OptionsStep.h"
#include "Platform.h"
#include "StationStep.h"
#include "Twips.h"
#include "WizardGrid.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// Frame 0 stands beside the picture; the others cover it.
constexpr int Frame0LeftTwips = 1965;
constexpr int PictureLeftTwips = 120;
constexpr int PictureWidthTwips = 1815;
constexpr int WindowWidthTwips = 10800;
constexpr int WindowHeightTwips = 7200;

} // namespace

frmAdminWizard::frmAdminWizard(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAdminWizard"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    State.WizardConnection = std::make_unique<clsAccessDBConnection>();
    State.StationRows = new GridArray(this);
    State.SendRows = new GridArray(this);
    State.ReceiveRows = new GridArray(this);

    m_stepArea = new QWidget(this);
    imgFormGraphic = new QLabel(m_stepArea);
    imgFormGraphic->setObjectName(QStringLiteral("imgFormGraphic"));
    imgFormGraphic->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    databaseStep = new DatabaseStep(State, m_stepArea);
    stationStep = new StationStep(State, m_stepArea);
    sendStep = new OptionsStep(State, TransferDirection::Send, m_stepArea);
    receiveStep = new OptionsStep(State, TransferDirection::Receive, m_stepArea);
    fraStep[0] = databaseStep;
    fraStep[1] = stationStep;
    fraStep[2] = sendStep;
    fraStep[3] = receiveStep;
    for (int i = 0; i < 4; ++i) {
        fraStep[i]->setObjectName(QStringLiteral("fraStep%1").arg(i));
        fraStep[i]->hide();
    }
    m_stepArea->installEventFilter(this);

    auto button = [this](const char *name) {
        auto *b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumHeight(qMax(fontMetrics().height() + 18, 40));
        b->setMinimumWidth(qMax(fontMetrics().horizontalAdvance(QStringLiteral("< Back")) + 40, 100));
        return b;
    };
    HelpButton = button("HelpButton");
    CancelButton = button("CancelButton");
    BackButton = button("BackButton");
    NextButton = button("NextButton");
    FinishButton = button("FinishButton");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(HelpButton);
    buttons->addStretch(1);
    buttons->addWidget(CancelButton);
    buttons->addSpacing(12);
    buttons->addWidget(BackButton);
    buttons->addWidget(NextButton);
    buttons->addSpacing(12);
    buttons->addWidget(FinishButton);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(m_stepArea, 1);
    layout->addWidget(line);
    auto *bar = new QWidget(this);
    bar->setLayout(buttons);
    buttons->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(bar);

    connect(HelpButton, &QPushButton::clicked, this, &frmAdminWizard::HelpButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmAdminWizard::CancelButton_Click);
    connect(BackButton, &QPushButton::clicked, this, &frmAdminWizard::BackButton_Click);
    connect(NextButton, &QPushButton::clicked, this, &frmAdminWizard::NextButton_Click);
    connect(FinishButton, &QPushButton::clicked, this, &frmAdminWizard::FinishButton_Click);
    connect(databaseStep, &DatabaseStep::changed, this, &frmAdminWizard::UpdateButtons);
    // Ticking Enabled changes nothing the buttons follow; a reload does.
    connect(State.StationRows, &QAbstractItemModel::modelReset, this, &frmAdminWizard::UpdateButtons);
}

frmAdminWizard::~frmAdminWizard()
{
    Form_Unload();
}

void frmAdminWizard::Form_Load()
{
    CIntlFontClass().SetProperFonts(this);
    PrepareFormHelp(this);
    SetOwnerIcon();
    SetWizardCaptions();
    SetFormIcon(this);
    const double dpi = logicalDpiX();
    const int pictureWidth = TwipsToPixels(PictureWidthTwips, dpi);
    imgFormGraphic->setPixmap(QIcon(QStringLiteral(":/icons/DNC.svg"))
                                  .pixmap(QSize(pictureWidth, pictureWidth * 2), devicePixelRatio()));
    State.StepLoaded.fill(false);
    State.DatabasePath.clear();
    State.SendMachineList.clear();
    State.ReceiveMachineList.clear();
    ResetGridArrays(State);
    State.userMode = gbUserMode;
    State.StationKey = gbUserMode ? GetSessionUserName() : GetPCName();
    resize(TwipsToPixels(WindowWidthTwips, dpi), TwipsToPixels(WindowHeightTwips, dpi));
    ShowStep(0);
    CenterForm(this);
    UpdateButtons();
}

void frmAdminWizard::SetWizardCaptions()
{
    HelpButton->setText(GetMessageText(MessageId::HelpButton));
    CancelButton->setText(GetMessageText(MessageId::CancelButton));
    BackButton->setText(GetMessageText(MessageId::BackButton));
    NextButton->setText(GetMessageText(MessageId::NextButton));
    FinishButton->setText(GetMessageText(MessageId::FinishButton));
    databaseStep->lblDatabase->setText(GetMessageText(MessageId::Database));
}

void frmAdminWizard::SetOwnerIcon()
{
    // The top-level owner's icon, not the wizard's own (SetFormIcon sets
    // that). Without an owner window the owner of every window is the
    // application: its icon is the one the desktop shows for the program.
    const QIcon icon(QStringLiteral(":/icons/AAA.svg"));
    QWidget *owner = parentWidget();
    if (!owner) {
        QApplication::setWindowIcon(icon);
        return;
    }
    while (owner->parentWidget())
        owner = owner->parentWidget();
    owner->setWindowIcon(icon);
}

void frmAdminWizard::PlaceFrames()
{
    const double dpi = logicalDpiX();
    const QRect area = m_stepArea->rect();
    const int frame0Left = TwipsToPixels(Frame0LeftTwips, dpi);
    const int pictureLeft = TwipsToPixels(PictureLeftTwips, dpi);
    const int pictureWidth = TwipsToPixels(PictureWidthTwips, dpi);
    imgFormGraphic->setGeometry(pictureLeft, pictureLeft, pictureWidth, area.height() - 2 * pictureLeft);
    fraStep[0]->setGeometry(frame0Left, 0, qMax(0, area.width() - frame0Left), area.height());
    for (int i = 1; i < 4; ++i)
        fraStep[i]->setGeometry(0, 0, area.width(), area.height());
}

bool frmAdminWizard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_stepArea && event->type() == QEvent::Resize)
        PlaceFrames();
    return QDialog::eventFilter(watched, event);
}

StepNavigation frmAdminWizard::Navigation(int step) const
{
    return NavigateStep(step, State.HasSendMachines, State.HasReceiveMachines, State.userMode);
}

void frmAdminWizard::ShowStep(int step)
{
    // A step's question still in flight no longer counts.
    ++State.CheckGeneration;
    State.CheckPending = false;
    const bool known = step >= 0 && step <= 3;
    // The step's data first, so that a database that cannot be read is
    // reported over the step where the administrator can change its cause.
    if (known && !fraStep[step]->enterStep(isVisible())) {
        if (const int back = Navigation(step).back; back >= 0)
            ShowStep(back);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        fraStep[i]->setEnabled(i == step);
        fraStep[i]->setVisible(i == step);
        if (i == step)
            fraStep[i]->raise();
    }
    if (!known)
        return;
    if (isVisible())
        fraStep[step]->mainControl()->setFocus(Qt::OtherFocusReason);
    const StepNavigation navigation = Navigation(step);
    const bool finishes = navigation.defaultButton == WizardButton::Finish;
    NextButton->setDefault(!finishes);
    FinishButton->setDefault(finishes);
    setWindowTitle(GetMessageText(navigation.title, ApplicationTitle(), State.StationKey));
    State.CurrentStep = step;
    UpdateButtons();
}

void frmAdminWizard::UpdateButtons()
{
    const int step = State.CurrentStep;
    if (step < 0 || step > 3)
        return;
    const StepNavigation navigation = Navigation(step);
    const bool finishes = navigation.defaultButton == WizardButton::Finish;
    BackButton->setEnabled(navigation.back >= 0);
    NextButton->setEnabled(!finishes && fraStep[step]->isStepComplete());
    FinishButton->setEnabled(finishes);
}

void frmAdminWizard::BackButton_Click()
{
    if (const int back = Navigation(State.CurrentStep).back; back >= 0)
        ShowStep(back);
}

void frmAdminWizard::NextButton_Click()
{
    const int step = State.CurrentStep;
    if (step < 0 || step > 3 || Navigation(step).defaultButton == WizardButton::Finish
        || !fraStep[step]->isStepComplete())
        return;
    fraStep[step]->checkStep([this, step] {
        // The check may have changed which machines send and receive.
        const StepNavigation navigation = Navigation(step);
        if (navigation.next >= 0)
            ShowStep(navigation.next);
        else
            ShowMessage(GetMessageText(navigation.noNextMessage));
    });
}

void frmAdminWizard::CancelButton_Click()
{
    reject();
}

void frmAdminWizard::HelpButton_Click()
{
    ShowHelpTopic(1, HelpContextID ? HelpContextID : int(HelpContextAdminWizard));
}

void frmAdminWizard::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        // The first Enter in a cell editor only stores the cell.
        const int step = State.CurrentStep;
        if (step >= 0 && step <= 3 && fraStep[step]->isEditing()) {
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void frmAdminWizard::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The step was entered before the window could take the focus; the
    // administrator types at once.
    if (!event->spontaneous())
        fraStep[State.CurrentStep]->mainControl()->setFocus(Qt::ActiveWindowFocusReason);
}

void frmAdminWizard::keyReleaseEvent(QKeyEvent *event)
{
    if (m_keyUp.take(event))
        Form_KeyUp(event->key());
    QDialog::keyReleaseEvent(event);
}

void frmAdminWizard::Form_KeyUp(int key)
{
    if (key == Qt::Key_F1)
        HelpButton_Click();
}

void frmAdminWizard::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmAdminWizard::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (State.WizardConnection && State.WizardConnection->IsConnected())
        State.WizardConnection->Disconnect();
    State.WizardConnection.reset();
    emit unloaded();
}
