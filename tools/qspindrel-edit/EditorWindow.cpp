#include "EditorWindow.h"

#include "ProgramTextEdit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>

EditorWindow::EditorWindow(const EditorDocument &document, bool viewOnly, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_viewOnly(viewOnly)
{
    m_edit = new ProgramTextEdit(this);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(qMax<qreal>(font.pointSizeF(), 12));
    m_edit->setFont(font);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setPlainText(m_document.Text());
    // Editing such text could change bytes nobody touched.
    if (m_document.IsBinary())
        m_viewOnlyReason = QStringLiteral("View only: the file holds binary content");
    else if (!m_document.Matches(*m_edit->document()))
        m_viewOnlyReason = QStringLiteral("View only: the file holds characters this editor would change");
    m_viewOnly = m_viewOnly || !m_viewOnlyReason.isEmpty();
    m_edit->setReadOnly(m_viewOnly);

    const QString name = QFileInfo(m_document.FilePath()).fileName();
    setWindowTitle(m_viewOnly ? QStringLiteral("%1 (view only) - %2").arg(name, qApp->applicationName())
                              : QStringLiteral("%1[*] - %2").arg(name, qApp->applicationName()));
    m_edit->installEventFilter(this);
    setCentralWidget(m_edit);

    m_position = new QLabel(this);
    auto *path = new QLabel(m_document.FilePath(), this);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(path, 1);
    statusBar()->addPermanentWidget(m_position);
    statusBar()->addPermanentWidget(
        new QLabel(m_document.EncodingName() + QStringLiteral(", ") + m_document.LineEndingName(), this));
    if (m_viewOnly)
        statusBar()->addPermanentWidget(
            new QLabel(m_viewOnlyReason.isEmpty() ? QStringLiteral("View only") : m_viewOnlyReason, this));

    connect(m_edit, &QPlainTextEdit::cursorPositionChanged, this, &EditorWindow::UpdateCaretPosition);
    connect(m_edit->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
    UpdateCaretPosition();
    CreateActions();
    resize(900, 650);
}

void EditorWindow::CreateActions()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    if (!m_viewOnly) {
        QAction *save = file->addAction(QStringLiteral("&Save"), this, &EditorWindow::Save);
        save->setShortcut(QKeySequence::Save);
        save->setEnabled(false);
        connect(m_edit->document(), &QTextDocument::modificationChanged, save, &QAction::setEnabled);
        QToolBar *tools = addToolBar(QStringLiteral("File"));
        tools->setMovable(false);
        tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
        tools->addAction(save);
        file->addSeparator();
    }
    QAction *close = file->addAction(QStringLiteral("&Close"), this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    if (!m_viewOnly) {
        edit->addAction(QStringLiteral("&Undo"), QKeySequence::Undo, m_edit, &QPlainTextEdit::undo);
        edit->addAction(QStringLiteral("&Redo"), QKeySequence::Redo, m_edit, &QPlainTextEdit::redo);
        edit->addSeparator();
        edit->addAction(QStringLiteral("Cu&t"), QKeySequence::Cut, m_edit, &QPlainTextEdit::cut);
    }
    edit->addAction(QStringLiteral("&Copy"), QKeySequence::Copy, m_edit, &QPlainTextEdit::copy);
    if (!m_viewOnly)
        edit->addAction(QStringLiteral("&Paste"), QKeySequence::Paste, m_edit, &QPlainTextEdit::paste);
    edit->addSeparator();
    edit->addAction(QStringLiteral("Select &All"), QKeySequence::SelectAll, m_edit,
                    &QPlainTextEdit::selectAll);
}

void EditorWindow::UpdateCaretPosition()
{
    const QTextCursor cursor = m_edit->textCursor();
    m_position->setText(QStringLiteral("Line %1, Column %2")
                            .arg(cursor.blockNumber() + 1)
                            .arg(cursor.positionInBlock() + 1));
}

bool EditorWindow::ConfirmOverwrite()
{
    if (m_document.ChangedOnDisk()) {
        const auto answer = QMessageBox::question(
            this, windowTitle(),
            QStringLiteral("%1 was changed or removed by another program after it was opened "
                           "here. Save this version over it?")
                .arg(m_document.FilePath()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    return true;
}

bool EditorWindow::Save()
{
    if (m_viewOnly || !ConfirmOverwrite())
        return false;
    QString error;
    if (!m_document.Save(*m_edit->document(), &error)) {
        QMessageBox::warning(this, windowTitle(), error);
        return false;
    }
    m_edit->document()->setModified(false);
    statusBar()->showMessage(QStringLiteral("Saved."), 4000);
    return true;
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (!m_viewOnly && m_edit->document()->isModified()) {
        const auto answer = QMessageBox::question(
            this, windowTitle(),
            QStringLiteral("Save the changes to %1?").arg(QFileInfo(m_document.FilePath()).fileName()),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !Save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Shift+Enter would put a Unicode line separator into the program; a
    // plain line break is what a control reads.
    if (watched == m_edit && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::InsertLineSeparator)) {
        if (!m_viewOnly)
            m_edit->insertPlainText(QStringLiteral("\n"));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
