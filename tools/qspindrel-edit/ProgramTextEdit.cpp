#include "ProgramTextEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QResizeEvent>

void ProgramTextEdit::resizeEvent(QResizeEvent *event)
{
    if (lineWrapMode() != NoWrap) {
        QPlainTextEdit::resizeEvent(event);
        return;
    }
    QAbstractScrollArea::resizeEvent(event);
    // QPlainTextEdit adjusts its scroll bars to this signal.
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}
