#pragma once

#include "EditorDocument.h"

#include <QMainWindow>

class QLabel;
class QPlainTextEdit;

// A plain editor window over one file; with viewOnly nothing can change it.
// Binary files, and text the editor widget would not give back unchanged,
// are only shown, with the reason in the status bar.
class EditorWindow : public QMainWindow
{
    Q_OBJECT
public:
    EditorWindow(const EditorDocument &document, bool viewOnly, QWidget *parent = nullptr);

    bool Save();
    bool IsViewOnly() const { return m_viewOnly; }
    // Why the file is only shown although editing was asked for; empty if it is not.
    QString ViewOnlyReason() const { return m_viewOnlyReason; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateActions();
    void UpdateCaretPosition();
    bool ConfirmOverwrite();

    EditorDocument m_document;
    bool m_viewOnly;
    QString m_viewOnlyReason;
    QPlainTextEdit *m_edit = nullptr;
    QLabel *m_position = nullptr;
};
