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
        return {QString(), GetMessageText(177)};
    const QString fullPath =
        GetSelectedFilePath(fileText, currentDirectory, extensionList, separator);
    if (HasControlCharacter(line + fullPath))
        return {QString(), ControlCharacterErrorText(line + fullPath)};
    if (!LiesInside(fullPath, actionRoot, separator))
        return {QString(), OutsideFolderErrorText(fullPath, actionRoot)};
    if (HasRawFileNameBytes(fullPath))
        return {QString(), InvalidNameErrorText(fullPath)};
    return {fullPath, QString()};
}

RequestFile ProbeRequestFile(const QString &fullPath, QChar separator)
{
    RequestFile file;
    file.fullPath = MatchExistingNameCase(fullPath, separator);
    file.exists = FileExists(file.fullPath);
    return file;
}

QString ConcludeGo(const RequestFile &file, int currentAction)
{
    if (currentAction == ActionSend) {
        if (!file.exists) {
            ShowMessage(GetMessageText(171, file.fullPath));
            return QString();
        }
    } else if (file.exists) {
        if (ShowMessage(GetMessageText(178, file.fullPath), MsgYesNo) == MsgResultNo)
            return QString();
    }
    return file.fullPath;
}

QString ConcludeEditor(const RequestFile &file)
{
    if (!file.exists) {
        ShowMessage(GetMessageText(171, file.fullPath));
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
    return ConcludeGo(ProbeRequestFile(fullPath, separator), currentAction);
}

QString CheckFileForEditor(const QString &fileText, const QString &currentDirectory,
                           const QString &actionRoot, const QStringList &extensionList,
                           QChar separator)
{
    const QString fullPath = checkedPath(
        CheckRequestText(fileText, currentDirectory, actionRoot, extensionList, QString(), separator));
    if (fullPath.isEmpty())
        return QString();
    return ConcludeEditor(ProbeRequestFile(fullPath, separator));
}
