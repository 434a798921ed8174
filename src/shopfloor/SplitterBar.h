#pragma once

#include <QFrame>

// The vertical bar between the directory tree and the file grid (VSplitter).
// Dragging it moves only a thin shadow bar (VSplitterShadow, a sibling in the
// same parent, i.e. picFiles); on release the bar emits where the shadow
// stopped, clamped by ShopFloorLayout::ClampSplitter against the window's
// inner width. The owner stores that value in SFWizardVSplitter and lays the
// panel out again; the bar never moves itself.
class SplitterBar : public QFrame
{
    Q_OBJECT
public:
    // `panel` is picFiles; the shadow is created hidden inside it.
    explicit SplitterBar(QWidget *panel);

    QWidget *shadow() const { return m_shadow; }
    // True between a mouse press on the bar and the next release.
    bool isDragging() const { return m_dragging; }

signals:
    // The splitter position x (end of the tree) in twips, already clamped.
    // Not emitted when the bar was pressed and released without moving.
    void released(int xTwips);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    double dpi() const;

    QWidget *m_shadow = nullptr;
    bool m_dragging = false;
    bool m_moved = false;
    int m_shadowLeft = 0;   // twips, exact, so the stored value is what was shown
};
