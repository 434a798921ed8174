#include "Help.h"

#include "FormKeyPreview.h"
#include "FormUtil.h"
#include "HelpViewer.h"
#include "SystemApi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPointer>

namespace {
QPointer<HelpViewer> gHelpViewer;
}

QString HelpFilePathIn(const QString &programDirectory, QChar separator)
{
    return programDirectory + separator + QStringLiteral("QSpindrel.chm");
}

QString GetHelpFilePath(int kind)
{
    if (kind != 1)
        return QString();
    return HelpFilePathIn(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
                          QDir::separator());
}

void ShowHelpTopic(int kind, int contextNumber)
{
    const QString path = GetHelpFilePath(kind);
    if (path.isEmpty())
        return;
    if (SystemShowCompiledHelp(path, contextNumber))
        return;
    // Under a modal window (the on-screen keyboard) help must stay usable:
    // Qt blocks every other window except the modal one's own.
    QWidget *modal = QApplication::activeModalWidget();
    if (gHelpViewer && gHelpViewer->parentWidget() != modal && modal != gHelpViewer)
        gHelpViewer->setParent(modal, Qt::Window);
    const bool opened = !gHelpViewer;
    if (opened) {
        gHelpViewer = new HelpViewer(modal);
        gHelpViewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    gHelpViewer->ShowContext(contextNumber);
    if (opened) {
        CenterForm(gHelpViewer, QApplication::activeWindow());
        KeepOnScreen(gHelpViewer);
    }
    if (gHelpViewer->isMinimized())
        gHelpViewer->setWindowState(gHelpViewer->windowState() & ~Qt::WindowMinimized);
    gHelpViewer->show();
    gHelpViewer->raise();
    gHelpViewer->activateWindow();
}

QWidget *HelpViewerWindow()
{
    return gHelpViewer.data();
}

void PrepareFormHelp(QWidget *window)
{
    if (!window || window->findChild<FormKeyPreview *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    new FormKeyPreview(window);
}

bool KeyReleaseOnce::take(const QKeyEvent *event)
{
    const bool seen = event->timestamp() == m_timestamp && event->key() == m_key && event->timestamp() != 0;
    if (event->isAutoRepeat() || seen)
        return false;
    m_timestamp = event->timestamp();
    m_key = event->key();
    return true;
}
