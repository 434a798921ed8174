#include "RemoteCommandChecks.h"

#include "ExistingNameCase.h"
#include "FileNameCodec.h"
#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandLine.h"
#include "RequestSafety.h"
#include "SelectedFilePath.h"

RequestText CheckRequestText(const QString &fileText, const QString &currentDirectory,
                             const QString &actionRoot, const QStringList &extensionList,
                             const QString &line, QChar separator)
{
    if (fileText.isEmpty())
        return {QString(), GetMessageText(MessageId::NoFileSelected)};
    // Without a shown folder a name would be sent as typed, or in the
    // folder of the machine shown before.
    if (currentDirectory.isEmpty() || !IsAbsoluteFolder(actionRoot, separator))
        return {QString(), NoActionFolderErrorText(actionRoot)};
    const QString fullPath =
        GetSelectedFilePath(fileText, currentDirectory, extensionList, separator);
    // Before the control characters: a byte that is no text shows as an
    // unpaired surrogate, which that check refuses too.
    if (HasRawFileNameBytes(fullPath))
        return {QString(), InvalidNameErrorText(fullPath)};
    if (HasControlCharacter(line + fullPath))
        return {QString(), ControlCharacterErrorText(line + fullPath)};
    if (!LiesInside(fullPath, actionRoot, separator))
        return {QString(), OutsideFolderErrorText(fullPath, actionRoot)};
    return {fullPath, QString()};
}

RequestFile ProbeRequestFile(const QString &fullPath, const QString &actionRoot, QChar separator)
{
    RequestFile file;
    file.fullPath = MatchExistingNameCase(fullPath, separator);
    // The name as it exists decides: a link in the folder may lead out of it.
    if (!ResolvesInside(file.fullPath, actionRoot)) {
        file.refusal = OutsideFolderErrorText(file.fullPath, actionRoot);
        return file;
    }
    file.exists = FileExists(file.fullPath);
    return file;
}

QString ConcludeGo(const RequestFile &file, int currentAction)
{
    if (!file.refusal.isEmpty()) {
        ShowMessage(file.refusal);
        return QString();
    }
    if (currentAction == ActionSend) {
        if (!file.exists) {
            ShowMessage(GetMessageText(MessageId::FileNotFound, file.fullPath));
            return QString();
        }
    } else if (file.exists) {
        if (ShowMessage(GetMessageText(MessageId::OverwriteFile, file.fullPath), MsgYesNo) == MsgResultNo)
            return QString();
    }
    return file.fullPath;
}

QString ConcludeEditor(const RequestFile &file)
{
    if (!file.refusal.isEmpty()) {
        ShowMessage(file.refusal);
        return QString();
    }
    if (!file.exists) {
        ShowMessage(GetMessageText(MessageId::FileNotFound, file.fullPath));
        return QString();
    }
    return file.fullPath;
}

QString RequestLineStart(const QString &remoteCommand)
{
    return BuildRemoteCommandLine(remoteCommand, QString());
}

namespace {

QString checkedPath(const RequestText &text)
{
    if (!text.refusal.isEmpty())
        ShowMessage(text.refusal);
    return text.fullPath;
}

} // namespace

QString CheckFileForGo(const QString &fileText, const QString &currentDirectory,
                       const QString &actionRoot, const QStringList &extensionList,
                       int currentAction, const QString &remoteCommand, QChar separator)
{
    const QString fullPath =
        checkedPath(CheckRequestText(fileText, currentDirectory, actionRoot, extensionList,
                                     RequestLineStart(remoteCommand), separator));
    if (fullPath.isEmpty())
        return QString();
    return ConcludeGo(ProbeRequestFile(fullPath, actionRoot, separator), currentAction);
}

QString CheckFileForEditor(const QString &fileText, const QString &currentDirectory,
                           const QString &actionRoot, const QStringList &extensionList,
                           QChar separator)
{
    const QString fullPath = checkedPath(
        CheckRequestText(fileText, currentDirectory, actionRoot, extensionList, QString(), separator));
    if (fullPath.isEmpty())
        return QString();
    return ConcludeEditor(ProbeRequestFile(fullPath, actionRoot, separator));
}
