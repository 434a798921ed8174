#pragma once

#include <QIcon>
#include <QToolBar>
#include <QVector>

class QToolButton;

// A toolbar of large checkable buttons numbered from 1. The pressed look is
// owned by the window's handlers (SetValue), not by the buttons: a click
// reports the index and the handler decides what stays pressed.
class frmShopFloorButtonBar : public QToolBar
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

signals:
    void ButtonClick(int index);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FitButtons();

    QVector<QToolButton *> m_buttons;
};
