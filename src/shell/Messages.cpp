#include "Messages.h"

#include "AppInfo.h"
#include "StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

int ShowMessageBox(const QString &text, int style)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (style == MsgYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // Operators answer with gloved fingers on a touch screen.
    const QList<QAbstractButton *> buttons = box.buttons();
    for (QAbstractButton *button : buttons)
        button->setMinimumSize(120, 48);
    const int pressed = box.exec();
    if (style == MsgYesNo)
        return pressed == QMessageBox::Yes ? MsgResultYes : MsgResultNo;
    return MsgResultOk;
}

MessagePresenter &CurrentPresenter()
{
    static MessagePresenter presenter;
    return presenter;
}

} // namespace

int MessageNumberOf(const QString &shownText)
{
    return StringTable::instance().numberOf(shownText);
}

int ShowMessage(const QString &text, int style)
{
    const MessagePresenter &presenter = CurrentPresenter();
    if (presenter)
        return presenter(text, style);
    return ShowMessageBox(text, style);
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    MessagePresenter previous = CurrentPresenter();
    CurrentPresenter() = std::move(presenter);
    return previous;
}

MessageCapture::MessageCapture()
{
    m_previous = SetMessagePresenter([this](const QString &text, int style) {
        m_lastText = text;
        m_lastResult = m_previous ? m_previous(text, style) : ShowMessageBox(text, style);
        return m_lastResult;
    });
}

MessageCapture::~MessageCapture()
{
    SetMessagePresenter(m_previous);
}
