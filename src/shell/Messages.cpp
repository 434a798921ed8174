#include "Messages.h"

#include "AppInfo.h"

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

int ShowMessage(const QString &text, int style)
{
    const MessagePresenter &presenter = CurrentPresenter();
    if (presenter)
        return presenter(text, style);
    return ShowMessageBox(text, style);
}

bool ShowVerdict(const Verdict &verdict)
{
    if (verdict.passed())
        return true;
    if (verdict.question)
        return ShowMessage(verdict.text(), MsgYesNo) != MsgResultNo;
    ShowMessage(verdict.text());
    return false;
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    MessagePresenter previous = CurrentPresenter();
    CurrentPresenter() = std::move(presenter);
    return previous;
}
