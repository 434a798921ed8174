#pragma once

#include <QTableView>

class FileListModel;

// grdFiles: one selected row at most, whole rows, the sort direction shown in
// the header of the sort column. A header click re-sorts through the model
// and keeps the selected file selected wherever it moved.
class FileGridView : public QTableView
{
    Q_OBJECT
public:
    explicit FileGridView(QWidget *parent = nullptr);

    void setFileModel(FileListModel *model);
    FileListModel *fileModel() const { return m_model; }

    // SetupFileColumns: Name 0.6, Size 0.1, Modified 0.2 of the grid's width,
    // the path column hidden, the sort indicator shown. Call on every resize
    // of the grid (the view also does it itself on resizeEvent).
    void setupFileColumns();
    // Selects row 0 when there is one and reports its name (or empty). Runs
    // by itself after every fill and clear of the model.
    void selectFirstRow();
    // The selected row's name, or empty.
    QString selectedName() const;
    int selectedRow() const;

signals:
    // grdFiles_SelChange: the selected row's name, or empty (for txtFile).
    void selectedNameChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void headClick(int column);
    void showSortIndicator();
    void reportSelection();

    FileListModel *m_model = nullptr;
};
