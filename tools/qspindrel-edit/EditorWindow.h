#pragma once

#include "EditorDocument.h"

#include <QMainWindow>

class QLabel;
class QPlainTextEdit;

// A plain editor window over one file; with viewOnly nothing can change it.
class EditorWindow : public QMainWindow
{
    Q_OBJECT
public:
    EditorWindow(const EditorDocument &document, bool viewOnly, QWidget *parent = nullptr);

    bool Save();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateActions();
    void UpdateCaretPosition();
    bool ConfirmOverwrite();

    EditorDocument m_document;
    bool m_viewOnly;
    bool m_mixedEndingsAccepted = false;
    QPlainTextEdit *m_edit = nullptr;
    QLabel *m_position = nullptr;
};
