#include "RemoteCommandChecks.h"

#include "ExistingNameCase.h"
#include "FileNameCodec.h"
#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandLine.h"
#include "RequestSafety.h"
#include "SelectedFilePath.h"

namespace {

// The full path of a request that may go on, or empty after a message.
QString SafeFullPath(const QString &fileText, const QString &currentDirectory,
                     const QString &actionRoot, const QStringList &extensionList,
                     const QString &line, QChar separator)
{
    if (fileText.isEmpty()) {
        ShowMessage(GetMessageText(177));
        return QString();
    }
    // Without a shown folder a name would be sent as typed, or in the
    // folder of the machine shown before.
    if (currentDirectory.isEmpty() || !IsAbsoluteFolder(actionRoot, separator)) {
        ShowMessage(NoActionFolderErrorText(actionRoot));
        return QString();
    }
    const QString fullPath =
        GetSelectedFilePath(fileText, currentDirectory, extensionList, separator);
    // Before the control characters: a byte that is no text shows as an
    // unpaired surrogate, which that check refuses too.
    if (HasRawFileNameBytes(fullPath)) {
        ShowMessage(InvalidNameErrorText(fullPath));
        return QString();
    }
    if (HasControlCharacter(line + fullPath)) {
        ShowMessage(ControlCharacterErrorText(line + fullPath));
        return QString();
    }
    if (!LiesInside(fullPath, actionRoot, separator)) {
        ShowMessage(OutsideFolderErrorText(fullPath, actionRoot));
        return QString();
    }
    // The name as it exists decides: a link in the folder may lead out of it.
    const QString existing = MatchExistingNameCase(fullPath, separator);
    if (!ResolvesInside(existing, actionRoot)) {
        ShowMessage(OutsideFolderErrorText(existing, actionRoot));
        return QString();
    }
    return existing;
}

} // namespace

QString CheckFileForGo(const QString &fileText, const QString &currentDirectory,
                       const QString &actionRoot, const QStringList &extensionList,
                       int currentAction, const QString &remoteCommand, QChar separator)
{
    const QString fullPath =
        SafeFullPath(fileText, currentDirectory, actionRoot, extensionList,
                     BuildRemoteCommandLine(remoteCommand, QString()), separator);
    if (fullPath.isEmpty())
        return QString();
    if (currentAction == ActionSend) {
        if (!FileExists(fullPath)) {
            ShowMessage(GetMessageText(171, fullPath));
            return QString();
        }
    } else if (FileExists(fullPath)) {
        if (ShowMessage(GetMessageText(178, fullPath), MsgYesNo) == MsgResultNo)
            return QString();
    }
    return fullPath;
}

QString CheckFileForEditor(const QString &fileText, const QString &currentDirectory,
                           const QString &actionRoot, const QStringList &extensionList,
                           QChar separator)
{
    const QString fullPath = SafeFullPath(fileText, currentDirectory, actionRoot,
                                          extensionList, QString(), separator);
    if (fullPath.isEmpty())
        return QString();
    if (!FileExists(fullPath)) {
        ShowMessage(GetMessageText(171, fullPath));
        return QString();
    }
    return fullPath;
}
