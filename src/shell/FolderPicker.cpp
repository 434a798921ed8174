#include "FolderPicker.h"

#include "Messages.h"
#include "Platform.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QPushButton>
#include <QFileInfo>

FolderPicker::FolderPicker(QWidget *owner, const QString &initialDirectory)
    : QFileDialog(owner, GetMessageText(MessageId::SelectDirectory))
{
    // Qt's own dialog, so that the check below runs on every platform.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ShowDirsOnly, true);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    if (!initialDirectory.isEmpty() && QFileInfo(initialDirectory).isDir())
        setDirectory(initialDirectory);
    // Qt greys out Open for a typed name that is no folder; the administrator
    // would get no word why. Keep it enabled and answer in accept().
    if (auto *buttons = findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))) {
        m_openButton = buttons->button(QDialogButtonBox::Open);
        if (m_openButton) {
            m_openButton->installEventFilter(this);
            m_openButton->setEnabled(true);
        }
    }
}

bool FolderPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_openButton && event->type() == QEvent::EnabledChange
        && !m_openButton->isEnabled())
        m_openButton->setEnabled(true);
    return QFileDialog::eventFilter(watched, event);
}

QString FolderPicker::chosenFolder() const
{
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : QDir::toNativeSeparators(files.first());
}

void FolderPicker::accept()
{
    const QStringList files = selectedFiles();
    if (files.isEmpty() || !QFileInfo(files.first()).isDir()) {
        ShowMessage(GetMessageText(MessageId::DirectoryInvalid), MsgOkOnly);
        return;
    }
    QFileDialog::accept();
}

QString BrowseForFolder(QWidget *owner, const QString &initialDirectory)
{
    FolderPicker picker(owner, initialDirectory);
    if (picker.exec() != QDialog::Accepted)
        return QString();
    return picker.chosenFolder();
}
