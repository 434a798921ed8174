#pragma once

#include <QIcon>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QToolButton;

// A bar of large checkable buttons numbered from 1. The pressed look is
// owned by the window's handlers (SetValue), not by the buttons: a click
// reports the index and the handler decides what stays pressed.
//
// Every button stays one tap away: buttons that do not fit in one row wrap
// onto the next (no overflow menu). The owner reads the height the bar needs
// for a width with heightForWidth. A bar set to share its width gives each
// button an equal part of one row instead.
class frmShopFloorButtonBar : public QWidget
{
    Q_OBJECT
public:
    explicit frmShopFloorButtonBar(QWidget *parent = nullptr);

    void Clear();
    // Adds a button at the end; returns its index (1-based).
    int AddButton(const QString &caption, const QIcon &icon);

    int Count() const { return int(m_buttons.size()); }
    // Null for an index outside 1..Count().
    QToolButton *Button(int index) const;
    QString Caption(int index) const;

    // 1 pressed, 0 not pressed.
    void SetValue(int index, int value);
    int Value(int index) const;
    void SetButtonEnabled(int index, bool enabled);
    bool ButtonEnabled(int index) const;
    void SetToolTip(int index, const QString &tip);

    void setIconSize(const QSize &size);
    void setToolButtonStyle(Qt::ToolButtonStyle style);
    // One row, the width shared equally, each button as high as the bar.
    void setShareWidth(bool share);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

    // Where buttons of `sizes` go in a bar `width` wide: left to right, a new
    // row when the next one would pass the right margin (never before the
    // first of a row); every button as high as the tallest of its row.
    // `height` receives the height the bar needs.
    static QList<QRect> FlowRects(const QList<QSize> &sizes, int width, int margin, int spacing,
                                  int *height);

signals:
    void ButtonClick(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QList<QSize> ButtonSizes() const;
    void PlaceButtons();

    QVector<QToolButton *> m_buttons;
    QStringList m_captions;  // as given; the buttons show them escaped
    QSize m_iconSize{32, 32};
    Qt::ToolButtonStyle m_style = Qt::ToolButtonTextUnderIcon;
    bool m_shareWidth = false;
};
