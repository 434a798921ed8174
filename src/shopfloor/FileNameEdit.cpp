#include "FileNameEdit.h"

#include <QFocusEvent>
#include <QMouseEvent>

FileNameEdit::FileNameEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("txtFile"));
}

void FileNameEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
    // A click that brought the focus would place the cursor on release and
    // drop the selection; keep it selected instead.
    m_selectOnRelease = event->reason() == Qt::MouseFocusReason;
}

void FileNameEdit::mousePressEvent(QMouseEvent *event)
{
    if (m_selectOnRelease) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void FileNameEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_selectOnRelease) {
        m_selectOnRelease = false;
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
