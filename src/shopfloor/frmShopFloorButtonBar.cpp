#include "frmShopFloorButtonBar.h"

#include <QEvent>
#include <QToolButton>

frmShopFloorButtonBar::frmShopFloorButtonBar(QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void frmShopFloorButtonBar::Clear()
{
    for (QToolButton *b : std::as_const(m_buttons))
        delete b;
    m_buttons.clear();
    clear();
}

int frmShopFloorButtonBar::AddButton(const QString &caption, const QIcon &icon)
{
    auto *button = new QToolButton(this);
    button->setText(caption);
    button->setIcon(icon);
    button->setCheckable(true);
    button->setToolButtonStyle(toolButtonStyle());
    button->setFocusPolicy(Qt::NoFocus);
    // Never squeezed: what does not fit goes to the toolbar's overflow menu.
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    const int index = int(m_buttons.size()) + 1;
    // The click toggles the check state first; the handler then sets the
    // value it wants, so a click alone never changes the pressed look.
    connect(button, &QToolButton::clicked, this, [this, index, button] {
        button->setChecked(!button->isChecked());
        emit ButtonClick(index);
    });
    addWidget(button);
    m_buttons.append(button);
    return index;
}

QToolButton *frmShopFloorButtonBar::Button(int index) const
{
    if (index < 1 || index > m_buttons.size())
        return nullptr;
    return m_buttons.at(index - 1);
}

QString frmShopFloorButtonBar::Caption(int index) const
{
    QToolButton *b = Button(index);
    return b ? b->text() : QString();
}

void frmShopFloorButtonBar::SetValue(int index, int value)
{
    if (QToolButton *b = Button(index))
        b->setChecked(value != 0);
}

int frmShopFloorButtonBar::Value(int index) const
{
    QToolButton *b = Button(index);
    return b && b->isChecked() ? 1 : 0;
}

void frmShopFloorButtonBar::SetButtonEnabled(int index, bool enabled)
{
    if (QToolButton *b = Button(index))
        b->setEnabled(enabled);
}

bool frmShopFloorButtonBar::ButtonEnabled(int index) const
{
    QToolButton *b = Button(index);
    return b && b->isEnabled();
}

void frmShopFloorButtonBar::SetToolTip(int index, const QString &tip)
{
    if (QToolButton *b = Button(index))
        b->setToolTip(tip);
}

void frmShopFloorButtonBar::FitButtons()
{
    // Captions stay whole: the toolbar squeezes buttons down to their
    // minimum before it moves the rest to its overflow menu.
    for (QToolButton *b : std::as_const(m_buttons))
        b->setMinimumWidth(b->sizeHint().width());
}

void frmShopFloorButtonBar::showEvent(QShowEvent *event)
{
    FitButtons();
    QToolBar::showEvent(event);
}

void frmShopFloorButtonBar::changeEvent(QEvent *event)
{
    QToolBar::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FitButtons();
}
