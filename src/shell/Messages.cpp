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

QString GetOwnText(OwnText number, const QStringList &args)
{
    const StringTable &table = StringTable::instance();
    if (!table.contains(number))
        return QStringLiteral("###STRING RESOURCE ERROR###");
    QString text = table.text(number);
    // QString::arg with several arguments fills them in one pass.
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int k = i + 1 < text.size() && text[i] == u'%' ? text[i + 1].digitValue() : -1;
        if (k >= 1 && k <= args.size()) {
            out += args.at(k - 1);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

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
