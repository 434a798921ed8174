#include "SplitterBar.h"

#include "ShopFloorLayout.h"

#include <QMouseEvent>

using namespace ShopFloorLayout;

SplitterBar::SplitterBar(QWidget *panel)
    : QFrame(panel)
{
    setObjectName(QStringLiteral("VSplitter"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setCursor(Qt::SplitHCursor);

    m_shadow = new QFrame(panel);
    m_shadow->setObjectName(QStringLiteral("VSplitterShadow"));
    m_shadow->setAutoFillBackground(true);
    QPalette pal = m_shadow->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    m_shadow->setPalette(pal);
    m_shadow->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_shadow->hide();
}

double SplitterBar::dpi() const
{
    return logicalDpiX();
}

void SplitterBar::mousePressEvent(QMouseEvent *event)
{
    const double d = dpi();
    const QRect bar = PixelsToTwips(geometry(), d);
    const QRect shadow(bar.x(), bar.y(), ShadowWidth(bar.width()), ShadowHeight(bar.height()));
    m_shadow->setGeometry(TwipsToPixels(shadow, d));
    m_shadow->show();
    m_shadow->raise();
    m_shadowLeft = shadow.x();
    m_dragging = true;
    m_moved = false;
    event->accept();
}

void SplitterBar::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const double d = dpi();
    const int p = PixelsToTwips(x(), d) + PixelsToTwips(event->position().x(), d);
    const int outerWidth = PixelsToTwips(window()->frameGeometry().width(), d);
    m_shadowLeft = ShadowLeft(p, outerWidth);
    m_moved = true;
    m_shadow->move(TwipsToPixels(m_shadowLeft, d), m_shadow->y());
    event->accept();
}

void SplitterBar::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_dragging)
        return;
    m_shadow->hide();
    m_dragging = false;
    // The shadow starts 10 right of the splitter position; taking it as the
    // new position after a mere click would creep the tree 10 twips per click.
    if (!m_moved)
        return;
    const int innerWidth = PixelsToTwips(window()->width(), dpi());
    emit released(ClampSplitter(m_shadowLeft, innerWidth));
}
