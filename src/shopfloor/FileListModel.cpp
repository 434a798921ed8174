#include "FileListModel.h"

#include "FileNameCodec.h"

#include "DirectoryScan.h"
#include "FileListFormat.h"
#include "Messages.h"
#include "Platform.h"

#include <QDir>
#include <QHash>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace {

// One order for names, without regard to case: ASCII lowered, the rest case
// folded unit by unit. The sort prefix below must agree with it.
inline char16_t foldUnit(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    return QChar::toCaseFolded(c);
}

int compareNames(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = a.utf16();
    const char16_t *pb = b.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t fa = foldUnit(pa[i]);
        const char16_t fb = foldUnit(pb[i]);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    // Same name but for case: keep a fixed order.
    return a.compare(b, Qt::CaseSensitive);
}

// The first eight folded units of a name, one byte each, so that most
// comparisons never touch the names. A unit that folds outside ASCII ends the
// prefix with 0xFF bytes: it sorts after every ASCII unit, and equal prefixes
// fall back to compareNames.
quint64 namePrefix(QStringView name)
{
    quint64 key = 0;
    for (int i = 0; i < 8; ++i) {
        quint64 byte = 0;
        if (i < name.size()) {
            const char16_t f = foldUnit(name.utf16()[i]);
            if (f >= 0x80) {
                if (i == 0)
                    return ~quint64(0);
                key = (key << (8 * (8 - i))) | (~quint64(0) >> (8 * i));
                return key;
            }
            byte = f;
        }
        key = (key << 8) | byte;
    }
    return key;
}

// The header images "ASC" and "DESC": a picture of that name when the
// resources hold one, else a small triangle pointing up or down.
QIcon sortIcon(bool ascending)
{
    const QString key = ascending ? QStringLiteral("ASC") : QStringLiteral("DESC");
    const QString file = QStringLiteral(":/icons/%1.svg").arg(key);
    if (QFile::exists(file))
        return QIcon(file);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x40, 0x40, 0x40));
    QPainterPath triangle;
    if (ascending) {
        triangle.moveTo(16, 8);
        triangle.lineTo(27, 24);
        triangle.lineTo(5, 24);
    } else {
        triangle.moveTo(5, 8);
        triangle.lineTo(27, 8);
        triangle.lineTo(16, 24);
    }
    triangle.closeSubpath();
    painter.drawPath(triangle);
    return QIcon(pixmap);
}

inline quint64 signedKey(qint64 v)
{
    return quint64(v) ^ (quint64(1) << 63);
}

QStringView nameOf(const QString &names, const FileRow &row)
{
    return QStringView(names).mid(row.nameOffset, row.nameLength);
}

void sortFileRows(std::vector<FileRow> &rows, const QString &names, int column, bool ascending)
{
    if (column < FileListModel::NameColumn || column > FileListModel::ModifiedColumn || rows.size() < 2)
        return;
    for (FileRow &row : rows) {
        switch (column) {
        case FileListModel::NameColumn: row.key = namePrefix(nameOf(names, row)); break;
        case FileListModel::SizeColumn: row.key = signedKey(row.size); break;
        default: row.key = signedKey(row.mtime); break;
        }
    }
    const bool byName = column == FileListModel::NameColumn;
    // Rows of equal size or time stay in name order either way.
    std::sort(rows.begin(), rows.end(), [&](const FileRow &a, const FileRow &b) {
        if (a.key != b.key)
            return ascending ? a.key < b.key : a.key > b.key;
        const int c = compareNames(nameOf(names, a), nameOf(names, b));
        return (byName && !ascending) ? c > 0 : c < 0;
    });
}

} // namespace

FileListModel::FileListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    setLocale(QLocale());
}

void FileListModel::setLocale(const QLocale &locale)
{
    m_locale = locale;
    m_timeFormat = LongTimeFormat(locale);
    if (!m_rows.empty())
        emit dataChanged(index(0, SizeColumn), index(rowCount() - 1, ModifiedColumn));
}

QStringView FileListModel::nameView(const Row &row) const
{
    return QStringView(m_names).mid(row.nameOffset, row.nameLength);
}

void FileListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_names.clear();
    m_directory.clear();
    m_status.clear();
    endResetModel();
}

int FileListModel::fill(const QString &directory, const QStringList &extensions)
{
    return adopt(read(directory, extensions, m_sortColumn, m_sortAscending));
}

FileListing FileListModel::read(const QString &directory, const QStringList &extensions,
                                int sortColumn, bool sortAscending)
{
    FileListing listing;
    listing.directory = directory;
    if (!directory.isEmpty() && !directory.endsWith(u'/') && !directory.endsWith(QDir::separator()))
        listing.directory += QDir::separator();
    listing.sortColumn = sortColumn;
    listing.sortAscending = sortAscending;
    if (directory.isEmpty())
        return listing;
    listing.readable = ScanPlainFiles(
        directory, [&](QStringView name) { return ExtensionMatches(name, extensions); },
        [&](QStringView name, qint64 size, qint64 mtime) {
            listing.rows.push_back(
                FileRow{quint32(listing.names.size()), quint32(name.size()), size, mtime, 0});
            listing.names.append(name);
        });
    if (!listing.readable)
        listing.missing = !FolderExists(directory);
    sortFileRows(listing.rows, listing.names, sortColumn, sortAscending);
    return listing;
}

int FileListModel::adopt(FileListing listing)
{
    beginResetModel();
    m_status.clear();
    m_rows = std::move(listing.rows);
    m_names = std::move(listing.names);
    m_directory = std::move(listing.directory);
    if (listing.sortColumn != m_sortColumn || listing.sortAscending != m_sortAscending)
        sortRows();
    endResetModel();
    return rowCount();
}

void FileListModel::setStatus(const QString &text)
{
    if (text == m_status)
        return;
    if (!m_rows.empty())
        clear();
    const bool had = !m_status.isEmpty();
    if (had && !text.isEmpty()) {
        m_status = text;
        emit dataChanged(index(0, 0), index(0, GridColumnCount - 1));
    } else if (had) {
        beginRemoveRows(QModelIndex(), 0, 0);
        m_status.clear();
        endRemoveRows();
    } else {
        beginInsertRows(QModelIndex(), 0, 0);
        m_status = text;
        endInsertRows();
    }
}

QString FileListModel::sortIndicatorKey() const
{
    return m_sortAscending ? QStringLiteral("ASC") : QStringLiteral("DESC");
}

void FileListModel::sortRows()
{
    sortFileRows(m_rows, m_names, m_sortColumn, m_sortAscending);
}

void FileListModel::sortFileList()
{
    if (m_rows.size() < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    // Each row's name offset is its identity: one pass maps old rows to new.
    std::vector<quint32> offsetOfOldRow;
    if (!before.isEmpty()) {
        offsetOfOldRow.reserve(m_rows.size());
        for (const Row &row : m_rows)
            offsetOfOldRow.push_back(row.nameOffset);
    }
    sortRows();
    if (!before.isEmpty()) {
        QHash<quint32, int> newRowOfOffset;
        newRowOfOffset.reserve(qsizetype(m_rows.size()));
        for (size_t i = 0; i < m_rows.size(); ++i)
            newRowOfOffset.insert(m_rows[i].nameOffset, int(i));
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex &old : before) {
            const bool known = old.isValid() && size_t(old.row()) < offsetOfOldRow.size();
            after.append(known ? index(newRowOfOffset.value(offsetOfOldRow[size_t(old.row())]), old.column())
                               : QModelIndex());
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int FileListModel::headClick(int column, const QString &keepFullPath)
{
    if (column == m_sortColumn)
        m_sortAscending = !m_sortAscending;
    m_sortColumn = column;
    sortFileList();
    emit headerDataChanged(Qt::Horizontal, 0, GridColumnCount - 1);
    return keepFullPath.isEmpty() ? -1 : rowOfFullPath(keepFullPath);
}

QString FileListModel::name(int row) const
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return QString();
    return nameView(m_rows[size_t(row)]).toString();
}

QString FileListModel::sizeText(int row) const
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return QString();
    return FileSizeText(m_rows[size_t(row)].size, m_locale);
}

QString FileListModel::timeText(int row) const
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return QString();
    const QDateTime local =
        FileTimeToLocalDate(QDateTime::fromSecsSinceEpoch(m_rows[size_t(row)].mtime, Qt::UTC));
    return m_locale.toString(local.date(), QLocale::ShortFormat) + u' '
        + m_locale.toString(local.time(), m_timeFormat);
}

QString FileListModel::fullPath(int row) const
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return QString();
    QString path = m_directory;
    path.append(nameView(m_rows[size_t(row)]));
    return path;
}

double FileListModel::sizeValue(int row) const
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return 0.0;
    return FileSizeValue(m_rows[size_t(row)].size);
}

int FileListModel::rowOfFullPath(const QString &path) const
{
    const QStringView dir(m_directory);
    if (!path.startsWith(dir))
        return -1;
    const QStringView name = QStringView(path).mid(dir.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (nameView(m_rows[i]) == name)
            return int(i);
    }
    return -1;
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_rows.empty() && !m_status.isEmpty() ? 1 : int(m_rows.size());
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const
{
    if (index.isValid() && m_rows.empty())
        return Qt::ItemIsEnabled;
    return QAbstractTableModel::flags(index);
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GridColumnCount;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const int row = index.row();
    if (m_rows.empty()) {
        if ((role == Qt::DisplayRole || role == Qt::ToolTipRole) && index.column() == NameColumn)
            return m_status;
        return QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn: return DisplayFileName(name(row));
        case SizeColumn: return sizeText(row);
        case ModifiedColumn: return timeText(row);
        case PathColumn: return fullPath(row);
        default: return QVariant();
        }
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case FullPathRole: return fullPath(row);
    case SizeValueRole: return sizeValue(row);
    default: return QVariant();
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DecorationRole) {
        if (section != m_sortColumn)
            return QVariant();
        return sortIcon(m_sortAscending);
    }
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn: return GetMessageText(MessageId::NameColumn);
    case SizeColumn: return GetMessageText(MessageId::SizeColumn);
    case ModifiedColumn: return GetMessageText(MessageId::ModifiedColumn);
    case PathColumn: return QStringLiteral("who cares");
    default: return QVariant();
    }
}
