#include "GridArray.h"

GridArray::GridArray(QObject *parent) : QAbstractTableModel(parent) {}

void GridArray::setColumn(int column, const Column &definition)
{
    m_columns[column] = definition;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QVariant GridArray::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount)
        return QVariant();
    return m_rows[row][column];
}

void GridArray::setCell(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount)
        return;
    m_rows[row][column] = normalised(column, value);
    // The Enabled cell decides the locking and colours of the whole row.
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

QString GridArray::cellText(int row, int column) const
{
    const QVariant v = cell(row, column);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

int GridArray::cellInt(int row, int column) const
{
    const QVariant v = cell(row, column);
    return v.typeId() == QMetaType::Bool ? (v.toBool() ? -1 : 0) : v.toInt();
}

bool GridArray::cellBool(int row, int column) const
{
    const QVariant v = cell(row, column);
    return v.typeId() == QMetaType::Bool ? v.toBool() : v.toInt() != 0;
}

void GridArray::clear()
{
    setRows({});
}

void GridArray::setRows(QVector<QVector<QVariant>> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    for (auto &row : m_rows)
        row.resize(ColumnCount);
    endResetModel();
}

QString GridArray::valueText(int column, int code) const
{
    for (const auto &item : m_columns[column].valueList)
        if (item.first == code)
            return item.second;
    return QString();
}

bool GridArray::hasListedValue(int row, int column) const
{
    const QVariant v = cell(row, column);
    return v.isValid() && !v.toString().isEmpty() && !valueText(column, v.toInt()).isEmpty();
}

int GridArray::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridArray::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GridArray::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index))
        return QVariant();
    const Column &col = m_columns[index.column()];
    const QVariant v = m_rows[index.row()][index.column()];
    switch (role) {
    case Qt::DisplayRole:
        if (col.kind == CellKind::Boolean)
            return QVariant();
        if (!col.valueList.isEmpty() && v.isValid() && !v.toString().isEmpty())
            return valueText(index.column(), v.toInt());
        return v;
    case Qt::EditRole:
        return v;
    case Qt::ToolTipRole:
        return col.kind == CellKind::Text ? v : QVariant();
    case Qt::CheckStateRole:
        if (col.kind == CellKind::Boolean)
            return cellBool(index.row(), index.column()) ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    case Qt::TextAlignmentRole:
        if (col.kind == CellKind::Boolean)
            return QVariant(Qt::AlignCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant GridArray::normalised(int column, const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (m_columns[column].kind) {
    case CellKind::Boolean:
        return value.typeId() == QMetaType::Bool ? value : QVariant(value.toInt() != 0);
    case CellKind::Integer: {
        if (value.toString().isEmpty())
            return QVariant();
        bool ok = false;
        const int n = value.toInt(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    case CellKind::Text:
        return value.toString();
    }
    return value;
}

bool GridArray::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !checkIndex(index))
        return false;
    const int r = index.row(), c = index.column();
    QVariant stored = value;
    if (role == Qt::CheckStateRole) {
        if (m_columns[c].kind != CellKind::Boolean)
            return false;
        stored = QVariant(Qt::CheckState(value.toInt()) == Qt::Checked);
    } else if (role != Qt::EditRole) {
        return false;
    }
    if (!(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    stored = normalised(c, stored);
    if (stored == m_rows[r][c] && stored.typeId() == m_rows[r][c].typeId())
        return true;
    if (m_storeRule && !m_storeRule(r, c, stored))
        return false;
    setCell(r, c, stored);
    return true;
}

Qt::ItemFlags GridArray::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editRule && m_editRule(index.row(), index.column()))
        f |= m_columns[index.column()].kind == CellKind::Boolean ? Qt::ItemIsUserCheckable
                                                                  : Qt::ItemIsEditable;
    return f;
}

QVariant GridArray::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < ColumnCount)
        return m_columns[section].caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}
