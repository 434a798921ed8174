#pragma once

#include <QAbstractTableModel>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

// The file table behind grdFiles (GridArray): the plain files of one folder,
// filtered by an extension list and sorted by the column whose header was
// clicked last. Rows hold name, size and time; the display texts are made
// when the grid asks for them.
//
// Table columns of a row: 0 name, 1 size text, 2 time text, 3 full path,
// 4 size value. The grid shows columns 0..3 of the model (3 hidden).

// One file of a listing: its name lives in the listing's name buffer.
struct FileRow {
    quint32 nameOffset;   // into FileListing::names
    quint32 nameLength;
    qint64 size;          // bytes
    qint64 mtime;         // seconds since the epoch, UTC
    quint64 key;          // sort key of the sort column
};

// A folder's files as a worker reads them, ready for the model to take over.
struct FileListing {
    QString directory;    // ends in a separator (empty for no folder)
    QString names;        // every name back to back, one allocation
    std::vector<FileRow> rows;
    bool readable = true; // the folder could be opened
    bool missing = false; // ... and when not, whether it is gone
    int sortColumn = 0;
    bool sortAscending = true;
};

class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum GridColumn { NameColumn = 0, SizeColumn = 1, ModifiedColumn = 2, PathColumn = 3 };
    static constexpr int GridColumnCount = 4;
    enum Role { FullPathRole = Qt::UserRole + 1, SizeValueRole };

    explicit FileListModel(QObject *parent = nullptr);

    // FillFileList's listing: empties the table, then lists the plain files
    // of `directory` (a separator is added when missing) that are neither
    // hidden nor system and whose extension is in `extensions` (every file
    // when the list is empty), sorted by the current sort state. A missing or
    // empty directory gives no rows. Returns the number of rows.
    int fill(const QString &directory, const QStringList &extensions);
    // The listing of fill(), sorted by the given state, without a model: it
    // reads the file system, so a window calls it on a worker.
    static FileListing read(const QString &directory, const QStringList &extensions,
                            int sortColumn, bool sortAscending);
    // Takes over a listing made by read() (sorted again when the sort state
    // changed meanwhile). Returns the number of rows.
    int adopt(FileListing listing);
    // Empties the table (ClearFileList without the text box).
    void clear();
    // One row that is no file (the folder is being read, or does not answer);
    // it cannot be selected. An empty text removes it. No reset, so the
    // selection and the file-name box stay as they are.
    void setStatus(const QString &text);
    QString status() const { return m_status; }
    int fileCount() const { return int(m_rows.size()); }

    // Sort state: column 0 ascending at start; lasts the model's life.
    int sortColumn() const { return m_sortColumn; }
    bool sortAscending() const { return m_sortAscending; }
    // "ASC" or "DESC", the header image of the sort column (its decoration).
    QString sortIndicatorKey() const;
    // SortFileList: sorts the rows by the sort state (0 name, 1 size,
    // 2 time; any other column leaves the order). Ties go by name.
    void sortFileList();
    // The header click: the same column flips the direction, another keeps
    // it; then re-sorts. Returns the new row of the file whose full path is
    // `keepFullPath`, or -1 when there is none.
    int headClick(int column, const QString &keepFullPath);

    // The regional formats of the size and time texts; QLocale() by default.
    void setLocale(const QLocale &locale);

    QString directory() const { return m_directory; }
    QString name(int row) const;
    QString sizeText(int row) const;
    QString timeText(int row) const;
    QString fullPath(int row) const;
    double sizeValue(int row) const;
    // The first row whose full path equals `fullPath` exactly, or -1.
    int rowOfFullPath(const QString &fullPath) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    using Row = FileRow;
    QStringView nameView(const Row &row) const;
    void sortRows();

    std::vector<Row> m_rows;
    QString m_names;          // every name back to back, one allocation
    QString m_directory;
    QString m_status;
    QLocale m_locale;
    QString m_timeFormat;     // long time without the zone, cached per locale
    int m_sortColumn = 0;
    bool m_sortAscending = true;
};
