#pragma once

#include <QFileDialog>

// Directory chooser that takes only folders that exist: a typed name that
// names no folder gets DirectoryInvalid and the dialog stays open.
class FolderPicker : public QFileDialog
{
    Q_OBJECT
public:
    FolderPicker(QWidget *owner, const QString &initialDirectory);

    QString chosenFolder() const;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class QPushButton *m_openButton = nullptr;
};

// Folder picker: only existing folders can be chosen; a typed folder that does
// not exist shows DirectoryInvalid and keeps the dialog open. Empty on cancel.
QString BrowseForFolder(QWidget *owner, const QString &initialDirectory);
