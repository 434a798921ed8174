#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPair>
#include <QVariant>
#include <QVector>
#include <functional>

// The rows one wizard grid shows and edits: six columns, each cell a text, a
// 32-bit integer, a Boolean or empty (an invalid QVariant). The grid reads and
// writes the array directly; the steps read it only after CommitGridEdit.
//
// Rows are added only by the step that loads them; the views offer no adding,
// deleting or multiple selection.
class GridArray : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int ColumnCount = 6;

    enum class CellKind { Text, Integer, Boolean };
    struct Column {
        QString caption;
        CellKind kind = CellKind::Text;
        bool visible = true;
        // Integer columns with a value list store the code and show its text.
        QList<QPair<int, QString>> valueList;
        // The cell shows a folder button (column of directories).
        bool folderButton = false;
    };

    // Whether a cell may be edited, from the row as it is now.
    using EditRule = std::function<bool(int row, int column)>;
    // Runs before a new value is stored; false cancels the change (the rule
    // tells the administrator why).
    using StoreRule = std::function<bool(int row, int column, const QVariant &value)>;

    explicit GridArray(QObject *parent = nullptr);

    void setColumn(int column, const Column &definition);
    const Column &column(int column) const { return m_columns[column]; }
    void setEditRule(EditRule rule) { m_editRule = std::move(rule); }
    void setStoreRule(StoreRule rule) { m_storeRule = std::move(rule); }

    // The array's own operations.
    QVariant cell(int row, int column) const;
    void setCell(int row, int column, const QVariant &value);
    QString cellText(int row, int column) const;
    int cellInt(int row, int column) const;
    bool cellBool(int row, int column) const;
    // -1 when there are no rows.
    int upperBound() const { return int(m_rows.size()) - 1; }
    // Empties the array: 0 rows by 6 columns.
    void clear();
    // Replaces every row at once (one reset for the views).
    void setRows(QVector<QVector<QVariant>> rows);
    // The text a value-list cell shows for `code`; empty when not listed.
    QString valueText(int column, int code) const;
    // The cell of a value-list column holds a listed code: it shows a text.
    bool hasListedValue(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant normalised(int column, const QVariant &value) const;

    Column m_columns[ColumnCount];
    QVector<QVector<QVariant>> m_rows;
    EditRule m_editRule;
    StoreRule m_storeRule;
};
