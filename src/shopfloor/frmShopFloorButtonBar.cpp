#include "frmShopFloorButtonBar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QToolButton>

namespace {

constexpr int kMargin = 4;
constexpr int kSpacing = 6;
constexpr double kSmallestPointSize = 7.0;

} // namespace

frmShopFloorButtonBar::frmShopFloorButtonBar(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    setContextMenuPolicy(Qt::PreventContextMenu);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void frmShopFloorButtonBar::Clear()
{
    for (QToolButton *b : std::as_const(m_buttons))
        delete b;
    m_buttons.clear();
    m_captions.clear();
    updateGeometry();
}

int frmShopFloorButtonBar::AddButton(const QString &caption, const QIcon &icon)
{
    auto *button = new QToolButton(this);
    // Shown exactly: a single "&" would become a keyboard mnemonic.
    button->setText(QString(caption).replace(QLatin1Char('&'), QLatin1String("&&")));
    button->setIcon(icon);
    button->setIconSize(m_iconSize);
    button->setCheckable(true);
    button->setToolButtonStyle(m_style);
    button->setFocusPolicy(Qt::NoFocus);
    const int index = int(m_buttons.size()) + 1;
    // The click toggles the check state first; the handler then sets the
    // value it wants, so a click alone never changes the pressed look.
    connect(button, &QToolButton::clicked, this, [this, index, button] {
        button->setChecked(!button->isChecked());
        emit ButtonClick(index);
    });
    m_buttons.append(button);
    m_captions.append(caption);
    button->show();
    updateGeometry();
    PlaceButtons();
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
    return Button(index) ? m_captions.at(index - 1) : QString();
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

void frmShopFloorButtonBar::setIconSize(const QSize &size)
{
    m_iconSize = size;
    for (QToolButton *b : std::as_const(m_buttons))
        b->setIconSize(size);
    updateGeometry();
    PlaceButtons();
}

void frmShopFloorButtonBar::setToolButtonStyle(Qt::ToolButtonStyle style)
{
    m_style = style;
    for (QToolButton *b : std::as_const(m_buttons))
        b->setToolButtonStyle(style);
    updateGeometry();
    PlaceButtons();
}

void frmShopFloorButtonBar::setShareWidth(bool share)
{
    m_shareWidth = share;
    PlaceButtons();
}

QList<QSize> frmShopFloorButtonBar::ButtonSizes() const
{
    QList<QSize> sizes;
    for (QToolButton *b : m_buttons)
        sizes << b->sizeHint().expandedTo(b->minimumSizeHint());
    return sizes;
}

QList<QRect> frmShopFloorButtonBar::FlowRects(const QList<QSize> &sizes, int width, int margin,
                                              int spacing, int *height)
{
    QList<QRect> rects;
    int x = margin, y = margin, rowHeight = 0;
    qsizetype rowStart = 0;
    const auto closeRow = [&] {
        for (qsizetype i = rowStart; i < rects.size(); ++i)
            rects[i].setHeight(rowHeight);
    };
    for (const QSize &size : sizes) {
        if (x > margin && x + size.width() > width - margin) {
            closeRow();
            y += rowHeight + spacing;
            x = margin;
            rowHeight = 0;
            rowStart = rects.size();
        }
        rects << QRect(QPoint(x, y), size);
        x += size.width() + spacing;
        rowHeight = qMax(rowHeight, size.height());
    }
    closeRow();
    if (height)
        *height = sizes.isEmpty() ? 2 * margin : y + rowHeight + margin;
    return rects;
}

int frmShopFloorButtonBar::heightForWidth(int width) const
{
    int height = 0;
    FlowRects(ButtonSizes(), width, kMargin, kSpacing, &height);
    return height;
}

QSize frmShopFloorButtonBar::sizeHint() const
{
    const int width = parentWidget() ? parentWidget()->width() : 640;
    return QSize(width, heightForWidth(width));
}

void frmShopFloorButtonBar::PlaceButtons()
{
    if (m_buttons.isEmpty())
        return;
    if (m_shareWidth) {
        const int count = int(m_buttons.size());
        const int each = qMax(0, (width() - (count - 1) * kSpacing) / count);
        // The captions get a smaller type, down to a limit, before they are cut.
        QFont font = this->font();
        const QFontMetrics base(font);
        int widest = 0;
        for (const QString &caption : std::as_const(m_captions))
            widest = qMax(widest, base.horizontalAdvance(caption));
        const int room = each - 2 * kMargin - 4;
        if (widest > room && room > 0 && font.pointSizeF() > 0)
            font.setPointSizeF(qMax(kSmallestPointSize, font.pointSizeF() * room / widest));
        for (int i = 0; i < count; ++i) {
            m_buttons[i]->setFont(font);
            m_buttons[i]->setGeometry(i * (each + kSpacing), 0, each, height());
        }
        return;
    }
    const QList<QRect> rects = FlowRects(ButtonSizes(), width(), kMargin, kSpacing, nullptr);
    for (qsizetype i = 0; i < rects.size(); ++i)
        m_buttons[i]->setGeometry(rects.at(i));
}

void frmShopFloorButtonBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PlaceButtons();
}

void frmShopFloorButtonBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        PlaceButtons();
    }
}
