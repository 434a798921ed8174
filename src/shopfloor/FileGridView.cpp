#include "FileGridView.h"

#include "FileListModel.h"

#include <QHeaderView>
#include <QResizeEvent>

FileGridView::FileGridView(QWidget *parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("grdFiles"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    // Rows a gloved finger can hit.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() * 2);
    QHeaderView *header = horizontalHeader();
    header->setSectionsClickable(true);
    // The model draws the "ASC"/"DESC" image beside the caption; the header
    // keeps the state without drawing its own arrow.
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this, &FileGridView::headClick);
}

void FileGridView::setFileModel(FileListModel *model)
{
    m_model = model;
    setModel(model);
    // Every listing and every emptying ends with row 0 selected (or nothing)
    // and its name reported.
    connect(model, &QAbstractItemModel::modelReset, this, &FileGridView::selectFirstRow);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect
                                                          | QItemSelectionModel::Rows);
                reportSelection();
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileGridView::reportSelection);
    setupFileColumns();
    selectFirstRow();
}

void FileGridView::setupFileColumns()
{
    if (!m_model)
        return;
    const int w = width();
    setColumnWidth(FileListModel::NameColumn, int(w * 0.6));
    setColumnWidth(FileListModel::SizeColumn, int(w * 0.1));
    setColumnWidth(FileListModel::ModifiedColumn, int(w * 0.2));
    setColumnHidden(FileListModel::PathColumn, true);
    showSortIndicator();
}

void FileGridView::showSortIndicator()
{
    horizontalHeader()->setSortIndicator(m_model->sortColumn(), m_model->sortAscending()
                                                                     ? Qt::AscendingOrder
                                                                     : Qt::DescendingOrder);
}

void FileGridView::selectFirstRow()
{
    if (m_model && m_model->fileCount() > 0) {
        const QModelIndex first = m_model->index(0, FileListModel::NameColumn);
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect
                                                     | QItemSelectionModel::Rows);
        scrollToTop();
    } else if (selectionModel()) {
        selectionModel()->clear();
    }
    reportSelection();
}

int FileGridView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString FileGridView::selectedName() const
{
    return m_model ? m_model->name(selectedRow()) : QString();
}

void FileGridView::reportSelection()
{
    emit selectedNameChanged(selectedName());
}

void FileGridView::headClick(int column)
{
    if (!m_model)
        return;
    const int selected = selectedRow();
    const bool hadSelection = selected >= 0;
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const QString keep = m_model->fullPath(hadSelection ? selected : current);

    const int row = m_model->headClick(column, keep);
    showSortIndicator();
    if (row >= 0) {
        const QModelIndex target = m_model->index(row, FileListModel::NameColumn);
        selectionModel()->setCurrentIndex(
            target, hadSelection ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                 : QItemSelectionModel::NoUpdate);
        scrollTo(target);
    }
    viewport()->update();
}

void FileGridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    setupFileColumns();
}
