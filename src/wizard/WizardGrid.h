#pragma once

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

class GridArray;

// Paints and edits the cells of a wizard grid: a check box that the whole
// cell toggles (gloves miss a small box), drop-down lists for value lists, a
// folder button in directory cells, and the per-cell colours of the grid.
class WizardCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // Colours of a cell; `selected` is the view's selection of its row.
    using Painter = std::function<void(QStyleOptionViewItem &option, int row, int column,
                                       bool selected)>;
    explicit WizardCellDelegate(GridArray *array, QObject *parent = nullptr);
    void setPainter(Painter painter) { m_painter = std::move(painter); }

    // The open cell editor, if any.
    QWidget *openEditor() const { return m_editor; }
    // Where the folder button of a cell lies within `cell`.
    static QRect folderButtonRect(const QRect &cell);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void folderButtonClicked(int row);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    GridArray *m_array;
    Painter m_painter;
    mutable QPointer<QWidget> m_editor;
};

// grdMachines, grdSend, grdReceive: one row selected at a time, no adding or
// deleting, rows high enough to hit with a finger.
class WizardGrid : public QTableView
{
    Q_OBJECT
public:
    explicit WizardGrid(GridArray *array, QWidget *parent = nullptr);

    GridArray *array() const { return m_array; }
    WizardCellDelegate *cellDelegate() const { return m_delegate; }

    // Stores a pending cell edit in the array; every check runs it first.
    void CommitGridEdit();
    // Makes (row, column) current and gives the grid the focus.
    void FocusGridCell(int row, int column);
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    // Stretches the visible columns by their share of the width.
    void setColumnShares(const QList<int> &shares);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyColumnShares();

    GridArray *m_array;
    WizardCellDelegate *m_delegate;
    QList<int> m_shares;
};
