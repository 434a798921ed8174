#include "frmKeyboard.h"

#include "EntryLineEdit.h"
#include "FormUtil.h"
#include "Help.h"
#include "IntlFonts.h"
#include "KeyboardGeometry.h"
#include "Messages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int HelpFileKind = 1;

const char *const KeyIndexProperty = "keyIndex";
const char *const HighlightProperty = "lit";

// Flat keys with a slightly heavier lower edge: calm, and plainly pressable
// with a glove. Highlight follows the system colours, with the matching text
// colour so that a lit key stays readable.
const char *const KeyStyle = R"(
QPushButton[keyIndex], QPushButton#cmdOK, QPushButton#cmdCancel {
    background-color: palette(button);
    color: palette(button-text);
    border: 1px solid palette(mid);
    border-bottom: 3px solid palette(mid);
    border-radius: 6px;
}
QPushButton[keyIndex]:focus, QPushButton#cmdOK:focus, QPushButton#cmdCancel:focus {
    border-color: palette(highlight);
}
QPushButton#cmdOK:default {
    border-color: palette(highlight);
}
QPushButton[keyIndex][lit="true"] {
    background-color: palette(highlight);
    color: palette(highlighted-text);
    border-color: palette(dark);
}
QPushButton[keyIndex]:pressed, QPushButton#cmdOK:pressed, QPushButton#cmdCancel:pressed {
    background-color: palette(mid);
    color: palette(button-text);
    border-bottom-width: 1px;
    padding-top: 2px;
}
)";

// A lone "&" would be taken as a mnemonic marker and vanish from the face.
QString ButtonText(const QString &caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

frmKeyboard::frmKeyboard(QWidget *parent) : QDialog(parent)
{
    CreateControls();
    Form_Load();
}

void frmKeyboard::CreateControls()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Modal to the owner only: the help window that F1 opens from here must
    // still take the operator's touches.
    setWindowModality(Qt::WindowModal);
    setMouseTracking(true);
    setStyleSheet(QLatin1String(KeyStyle));

    using namespace KeyboardGeometry;
    const qreal dpiX = logicalDpiX();
    const qreal dpiY = logicalDpiY();
    const QSize client = ClientSizeTwips();
    setFixedSize(TwipsToPixels(client.width(), dpiX), TwipsToPixels(client.height(), dpiY));

    // Larger than the classic 8.25 points: read at arm's length on a touch
    // screen.
    QFont keyFont(QStringLiteral("MS Sans Serif"));
    keyFont.setPointSize(12);
    keyFont.setWeight(QFont::Bold);

    cmdKey.reserve(KeyCount);
    for (int i = 0; i < KeyCount; ++i) {
        auto *key = new QPushButton(this);
        key->setObjectName(QStringLiteral("cmdKey_%1").arg(i));
        key->setProperty(KeyIndexProperty, i);
        key->setProperty(HighlightProperty, false);
        key->setGeometry(TwipsToPixels(KeyRectTwips(i), dpiX, dpiY));
        if (i != KeyboardKeys::SpaceBar)
            key->setFont(keyFont);
        key->setMouseTracking(true);
        key->installEventFilter(this);
        connect(key, &QPushButton::clicked, this, [this, i] { cmdKey_Click(i); });
        cmdKey.append(key);
    }

    txtText = new EntryLineEdit(this);
    txtText->setObjectName(QStringLiteral("txtText"));
    QFont entryFont(QStringLiteral("MS Sans Serif"));
    entryFont.setPointSize(24);
    txtText->setFont(entryFont);
    txtText->setGeometry(TwipsToPixels(EntryLineRectTwips(), dpiX, dpiY));

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsToPixels(OkRectTwips(), dpiX, dpiY));
    cmdOK->setDefault(true);
    cmdOK->setFont(keyFont);
    connect(cmdOK, &QPushButton::clicked, this, &frmKeyboard::cmdOK_Click);

    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(TwipsToPixels(CancelRectTwips(), dpiX, dpiY));
    cmdCancel->setFont(keyFont);
    connect(cmdCancel, &QPushButton::clicked, this, &frmKeyboard::cmdCancel_Click);

    QWidget *previous = cmdKey.first();
    for (int i = 1; i < KeyCount; ++i) {
        setTabOrder(previous, cmdKey[i]);
        previous = cmdKey[i];
    }
    setTabOrder(previous, txtText);
    setTabOrder(txtText, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    cmdKey.first()->setFocus();
}

void frmKeyboard::Form_Load()
{
    CIntlFontClass().SetProperFonts(this);
    PrepareFormHelp(this);
    LoadCaptions();
    SetFormIcon(this);
    SetKeyCaptions();
    txtText->clear();
    Result = 2;
    EnteredText.clear();
}

void frmKeyboard::LoadCaptions()
{
    setWindowTitle(GetMessageText(MessageId::EnterFileName));
    cmdOK->setText(GetMessageText(MessageId::OkButton));
    cmdCancel->setText(GetMessageText(MessageId::CancelButton));
}

void frmKeyboard::SetKeyCaptions()
{
    for (int i = 0; i < cmdKey.size(); ++i)
        cmdKey[i]->setText(ButtonText(m_keys.Caption(i)));
}

EntryState frmKeyboard::CurrentEntry() const
{
    EntryState entry;
    entry.text = txtText->text();
    if (txtText->hasSelectedText()) {
        entry.selStart = txtText->selectionStart();
        entry.selLength = txtText->selectionLength();
    } else {
        entry.selStart = txtText->cursorPosition();
    }
    return entry;
}

void frmKeyboard::ShowEntry(const EntryState &entry)
{
    txtText->setText(entry.text);
    if (entry.selLength > 0)
        txtText->setSelection(entry.selStart, entry.selLength);
    else
        txtText->setCursorPosition(entry.selStart);
}

void frmKeyboard::cmdKey_Click(int index)
{
    EntryState entry = CurrentEntry();
    switch (m_keys.PressKey(index, entry)) {
    case KeyboardKeys::Press::Edited:
        ShowEntry(entry);
        txtText->setFocus(Qt::OtherFocusReason);
        break;
    case KeyboardKeys::Press::ShiftToggled:
        SetKeyHighlighted(KeyboardKeys::LeftShift, m_keys.ShiftOn());
        SetKeyHighlighted(KeyboardKeys::RightShift, m_keys.ShiftOn());
        SetKeyCaptions();
        break;
    case KeyboardKeys::Press::Unchanged:
        break;
    }
}

void frmKeyboard::SetKeyHighlighted(int index, bool highlighted)
{
    QPushButton *key = cmdKey[index];
    if (key->property(HighlightProperty).toBool() == highlighted)
        return;
    key->setProperty(HighlightProperty, highlighted);
    key->style()->unpolish(key);
    key->style()->polish(key);
    key->update();
}

void frmKeyboard::cmdKey_MouseMove(int index)
{
    for (int i = 0; i < cmdKey.size(); ++i)
        SetKeyHighlighted(i, m_keys.IsHighlighted(i, index));
}

void frmKeyboard::Form_MouseMove()
{
    cmdKey_MouseMove(-1);
}

void frmKeyboard::cmdOK_Click()
{
    EnteredText = txtText->text();
    Result = 1;
    accept();
}

void frmKeyboard::cmdCancel_Click()
{
    EnteredText.clear();
    Result = 2;
    reject();
}

bool frmKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        const QVariant index = watched->property(KeyIndexProperty);
        if (index.isValid())
            cmdKey_MouseMove(index.toInt());
    }
    return QDialog::eventFilter(watched, event);
}

void frmKeyboard::mouseMoveEvent(QMouseEvent *event)
{
    // Only the bare background resets the keys; the entry line and the two
    // buttons leave them as they are.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void frmKeyboard::leaveEvent(QEvent *event)
{
    // A pointer that leaves the window over a key would leave it lit for good.
    Form_MouseMove();
    QDialog::leaveEvent(event);
}

void frmKeyboard::showEvent(QShowEvent *event)
{
    KeepOnScreen(this);
    QDialog::showEvent(event);
}

void frmKeyboard::keyPressEvent(QKeyEvent *event)
{
    // Escape is not bound to Cancel: a stray key must not throw away the name.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmKeyboard::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        ShowHelpTopic(HelpFileKind, HelpContextID);
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}
