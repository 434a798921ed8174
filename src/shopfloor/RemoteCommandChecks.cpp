#include "RemoteCommandChecks.h"

#include "ExistingNameCase.h"
#include "FileNameCodec.h"
#include "Platform.h"
#include "RemoteCommandLine.h"
#include "RequestSafety.h"
#include "SelectedFilePath.h"

RequestCheck CheckRequestText(const QString &fileText, const QString &currentDirectory,
                              const QString &actionRoot, const QStringList &extensionList,
                              const QString &line, QChar separator)
{
    if (fileText.isEmpty())
        return {QString(), {MessageId::NoFileSelected, {}}};
    // Without a shown folder a name would be sent as typed, or in the
    // folder of the machine shown before.
    if (currentDirectory.isEmpty() || !IsAbsoluteFolder(actionRoot, separator))
        return {QString(), NoActionFolderRefusal(actionRoot)};
    const QString fullPath =
        GetSelectedFilePath(fileText, currentDirectory, extensionList, separator);
    // Before the control characters: a byte that is no text shows as an
    // unpaired surrogate, which that check refuses too.
    if (HasRawFileNameBytes(fullPath))
        return {fullPath, InvalidNameRefusal(fullPath)};
    if (HasControlCharacter(line + fullPath))
        return {fullPath, ControlCharacterRefusal(line + fullPath)};
    if (!LiesInside(fullPath, actionRoot, separator))
        return {fullPath, OutsideFolderRefusal(fullPath, actionRoot)};
    return {fullPath, {}};
}

RequestFile ProbeRequestFile(const QString &fullPath, const QString &actionRoot, QChar separator)
{
    RequestFile file;
    file.fullPath = MatchExistingNameCase(fullPath, separator);
    // The name as it exists decides: a link in the folder may lead out of it.
    if (!ResolvesInside(file.fullPath, actionRoot)) {
        file.refusal = OutsideFolderRefusal(file.fullPath, actionRoot);
        return file;
    }
    file.exists = FileExists(file.fullPath);
    return file;
}

RequestCheck ConcludeGo(const RequestFile &file, int currentAction)
{
    if (!file.refusal.passed())
        return {file.fullPath, file.refusal};
    if (currentAction == ActionSend && !file.exists)
        return {file.fullPath, {MessageId::FileNotFound, {file.fullPath}}};
    if (currentAction != ActionSend && file.exists)
        return {file.fullPath, {MessageId::OverwriteFile, {file.fullPath}, true}};
    return {file.fullPath, {}};
}

RequestCheck ConcludeEditor(const RequestFile &file)
{
    if (!file.refusal.passed())
        return {file.fullPath, file.refusal};
    if (!file.exists)
        return {file.fullPath, {MessageId::FileNotFound, {file.fullPath}}};
    return {file.fullPath, {}};
}

QString RequestLineStart(const QString &remoteCommand)
{
    return BuildRemoteCommandLine(remoteCommand, QString());
}

RequestCheck CheckFileForGo(const QString &fileText, const QString &currentDirectory,
                            const QString &actionRoot, const QStringList &extensionList,
                            int currentAction, const QString &remoteCommand, QChar separator)
{
    const RequestCheck text = CheckRequestText(fileText, currentDirectory, actionRoot, extensionList,
                                               RequestLineStart(remoteCommand), separator);
    if (!text.verdict.passed())
        return text;
    return ConcludeGo(ProbeRequestFile(text.fullPath, actionRoot, separator), currentAction);
}

RequestCheck CheckFileForEditor(const QString &fileText, const QString &currentDirectory,
                                const QString &actionRoot, const QStringList &extensionList,
                                QChar separator)
{
    const RequestCheck text =
        CheckRequestText(fileText, currentDirectory, actionRoot, extensionList, QString(), separator);
    if (!text.verdict.passed())
        return text;
    return ConcludeEditor(ProbeRequestFile(text.fullPath, actionRoot, separator));
}
