#include "RemoteCommandChecks.h"

#include "ExistingNameCase.h"
#include "Messages.h"
#include "Platform.h"
#include "SelectedFilePath.h"

QString CheckFileForGo(const QString &fileText, const QString &currentDirectory,
                       const QStringList &extensionList, int currentAction, QChar separator)
{
    if (fileText.isEmpty()) {
        ShowMessage(GetMessageText(177));
        return QString();
    }
    const QString fullPath = MatchExistingNameCase(
        GetSelectedFilePath(fileText, currentDirectory, extensionList, separator), separator);
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
                           const QStringList &extensionList, QChar separator)
{
    if (fileText.isEmpty()) {
        ShowMessage(GetMessageText(177));
        return QString();
    }
    const QString fullPath = MatchExistingNameCase(
        GetSelectedFilePath(fileText, currentDirectory, extensionList, separator), separator);
    if (!FileExists(fullPath)) {
        ShowMessage(GetMessageText(171, fullPath));
        return QString();
    }
    return fullPath;
}
