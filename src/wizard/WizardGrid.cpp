#include "WizardGrid.h"

#include "GridArray.h"
#include "TouchScrolling.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

bool isValueList(const GridArray *array, const QModelIndex &index)
{
    return !array->column(index.column()).valueList.isEmpty();
}

bool isBoolean(const GridArray *array, const QModelIndex &index)
{
    return array->column(index.column()).kind == GridArray::CellKind::Boolean;
}

bool hasFolderButton(const GridArray *array, const QModelIndex &index)
{
    return array->column(index.column()).folderButton;
}

} // namespace

WizardCellDelegate::WizardCellDelegate(GridArray *array, QObject *parent)
    : QStyledItemDelegate(parent), m_array(array)
{
}

QRect WizardCellDelegate::folderButtonRect(const QRect &cell)
{
    const int side = qMax(0, cell.height() - 4);
    return QRect(cell.right() - side - 1, cell.top() + 2, side, side);
}

QWidget *WizardCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    QWidget *editor = nullptr;
    if (isBoolean(m_array, index))
        return nullptr;
    if (isValueList(m_array, index)) {
        auto *box = new QComboBox(parent);
        for (const auto &item : m_array->column(index.column()).valueList)
            box->addItem(item.second, item.first);
        // One tap opens the list; a second picks.
        connect(box, &QComboBox::activated, this, [this, box] {
            emit const_cast<WizardCellDelegate *>(this)->commitData(box);
        });
        // The list at once: one tap fewer with gloves.
        QTimer::singleShot(0, box, [box] {
            if (box->isVisible())
                box->showPopup();
        });
        editor = box;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
    }
    m_editor = editor;
    return editor;
}

void WizardCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        box->setCurrentIndex(box->findData(index.data(Qt::EditRole)));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void WizardCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                      const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, box->currentIndex() < 0 ? QVariant() : box->currentData());
        return;
    }
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, line->text());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void WizardCellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_editor)
        m_editor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void WizardCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                              const QModelIndex &index) const
{
    QRect r = option.rect;
    if (hasFolderButton(m_array, index))
        r.setRight(folderButtonRect(option.rect).left() - 2);
    editor->setGeometry(r);
}

void WizardCellDelegate::initStyleOption(QStyleOptionViewItem *option,
                                         const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_painter)
        m_painter(*option, index.row(), index.column(),
                  option->state.testFlag(QStyle::State_Selected));
}

void WizardCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    if (isBoolean(m_array, index)) {
        // The box in the middle of the cell.
        const Qt::CheckState state = opt.checkState;
        opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        QStyleOptionViewItem box = opt;
        const int side = style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, widget) + 4;
        box.rect = QRect(0, 0, side, side);
        box.rect.moveCenter(opt.rect.center());
        box.state = (opt.state & ~(QStyle::State_On | QStyle::State_Off))
                  | (state == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        if (!(index.flags() & Qt::ItemIsUserCheckable))
            box.state &= ~QStyle::State_Enabled;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
        return;
    }
    if (hasFolderButton(m_array, index)) {
        const QRect button = folderButtonRect(opt.rect);
        opt.rect.setRight(button.left() - 2);
        QStyleOptionViewItem whole = option;
        initStyleOption(&whole, index);
        whole.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &whole, painter, widget);
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        QStyleOptionButton b;
        b.rect = button;
        b.state = QStyle::State_Enabled | QStyle::State_Raised;
        b.icon = QIcon(QStringLiteral(":/icons/BROWSE.svg"));
        b.iconSize = button.size() - QSize(8, 8);
        style->drawControl(QStyle::CE_PushButton, &b, painter, widget);
        return;
    }
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

QSize WizardCellDelegate::sizeHint(const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    if (hasFolderButton(m_array, index))
        s.rwidth() += s.height();
    return s;
}

bool WizardCellDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                     const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const auto type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
                       || type == QEvent::MouseButtonDblClick;
    const QPoint pos = mouse ? static_cast<QMouseEvent *>(event)->position().toPoint() : QPoint();
    const bool leftButton = mouse && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (isBoolean(m_array, index)) {
        if (!(index.flags() & Qt::ItemIsUserCheckable))
            return false;
        bool toggle = false;
        if (mouse && leftButton && option.rect.contains(pos)) {
            if (type != QEvent::MouseButtonRelease)
                return type == QEvent::MouseButtonDblClick;
            toggle = true;
        } else if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            toggle = key == Qt::Key_Space || key == Qt::Key_Select;
        }
        if (!toggle)
            return false;
        const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        return model->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
    if (hasFolderButton(m_array, index) && mouse && leftButton
        && folderButtonRect(option.rect).contains(pos)) {
        if (type == QEvent::MouseButtonRelease)
            emit folderButtonClicked(index.row());
        return true;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

WizardGrid::WizardGrid(GridArray *array, QWidget *parent)
    : QTableView(parent), m_array(array), m_delegate(new WizardCellDelegate(array, this))
{
    setModel(array);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
    // Paths keep their last folder in sight.
    setTextElideMode(Qt::ElideMiddle);
    verticalHeader()->hide();
    const int rowHeight = qMax(fontMetrics().height() + 18, 36);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    for (int c = 0; c < GridArray::ColumnCount; ++c)
        setColumnHidden(c, !array->column(c).visible);
    EnableTouchScrolling(this);
}

void WizardGrid::CommitGridEdit()
{
    if (QWidget *editor = m_delegate->openEditor()) {
        emit m_delegate->commitData(editor);
        emit m_delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void WizardGrid::FocusGridCell(int row, int column)
{
    setCurrentIndex(model()->index(row, column));
    scrollTo(currentIndex());
    setFocus(Qt::OtherFocusReason);
}

void WizardGrid::setColumnShares(const QList<int> &shares)
{
    m_shares = shares;
    applyColumnShares();
}

void WizardGrid::applyColumnShares()
{
    int total = 0;
    for (int c = 0; c < m_shares.size(); ++c)
        if (!isColumnHidden(c))
            total += m_shares[c];
    if (total <= 0)
        return;
    // Each column its share, but never narrower than its caption; the last
    // column gives back what the captions took.
    const int width = viewport()->width();
    int used = 0, last = -1;
    for (int c = 0; c < m_shares.size(); ++c) {
        if (isColumnHidden(c))
            continue;
        const int caption = horizontalHeader()->sectionSizeHint(c);
        const int w = qMax(caption, width * m_shares[c] / total);
        setColumnWidth(c, w);
        used += w;
        last = c;
    }
    if (last >= 0) {
        const int caption = horizontalHeader()->sectionSizeHint(last);
        setColumnWidth(last, qMax(caption, columnWidth(last) + width - used));
    }
}

void WizardGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    applyColumnShares();
}

void WizardGrid::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const bool clearKey = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
    if (clearKey && !isEditing() && current.isValid() && (current.flags() & Qt::ItemIsEditable)) {
        // Clearing a cell goes through the same rules as typing an empty text.
        model()->setData(current, QVariant());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
