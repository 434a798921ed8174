#include "DemoMachines.h"

#include <QDir>

namespace {

QString Folder(const QString &programsRoot, const QString &relative)
{
    QString path = QDir::toNativeSeparators(QDir(programsRoot).filePath(relative));
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

const DemoMachine &Machine(int id)
{
    static const QList<DemoMachine> machines = DemoMachines();
    return machines.at(id - 1);
}

QString SendFolder(const QString &root, int id)
{
    return Folder(root, Machine(id).folder);
}

QString ReceiveFolder(const QString &root, int id)
{
    const DemoMachine &m = Machine(id);
    return Folder(root, m.receiveSub.isEmpty() ? m.folder : m.folder + QLatin1Char('/') + m.receiveSub);
}

StationMachineSetting Row(const QString &root, int id, int editMode, int cmdType,
                          const QString &sendExtension, const QString &recvExtension)
{
    StationMachineSetting row;
    row.MACHINE_ID = id;
    row.EDIT_MODE = editMode;
    row.CMD_TYPE = cmdType;
    // Only the columns of the row's command type, as the wizard writes them;
    // an empty extension is stored as null.
    if (CmdTypeSends(cmdType)) {
        row.sendRemoteCommand = QStringLiteral("LOAD");
        row.sendExtension = sendExtension;
        row.sendDirectory = SendFolder(root, id);
    }
    if (CmdTypeReceives(cmdType)) {
        row.recvRemoteCommand = QStringLiteral("SAVE");
        row.recvExtension = recvExtension;
        row.recvDirectory = ReceiveFolder(root, id);
    }
    return row;
}

} // namespace

QList<DemoMachine> DemoMachines()
{
    return {
        {1, QStringLiteral("L-101"), QStringLiteral("Lathe"), 5101, 1, QStringLiteral("lathe-l101"), QStringLiteral("received")},
        {2, QStringLiteral("M-201"), QStringLiteral("Mill"), 5102, 5, QStringLiteral("mill-m201"), QString()},
        {3, QStringLiteral("M-202"), QStringLiteral("5-axis"), 5103, 7, QStringLiteral("mill-m202"), QStringLiteral("received")},
        {4, QStringLiteral("L-102"), QStringLiteral("Bar lathe"), 5104, 24, QStringLiteral("lathe-l102"), QString()},
        {5, QStringLiteral("G-301"), QStringLiteral("Grinder"), 5105, 8, QStringLiteral("grinder-g301"), QString()},
        {6, QStringLiteral("E-401"), QStringLiteral("Wire EDM"), 5106, 10, QStringLiteral("edm-e401"), QString()},
        {7, QStringLiteral("S-501"), QStringLiteral("Band saw"), 5107, 12, QStringLiteral("saw-s501"), QString()},
    };
}

QList<StationMachineSetting> DemoComputerRows(const QString &root)
{
    return {
        Row(root, 1, EditModeEdit, CmdTypeBoth, QStringLiteral(".NC;.TXT"), QStringLiteral(".NC")),
        Row(root, 2, EditModeViewOnly, CmdTypeSend, QStringLiteral(".NC;.TAP"), QString()),
        Row(root, 3, EditModeEdit, CmdTypeBoth, QStringLiteral(".H;.MPF;.SPF"), QStringLiteral(".MPF;.SPF")),
        Row(root, 4, EditModeNone, CmdTypeReceive, QString(), QStringLiteral(".")),
        Row(root, 5, EditModeViewOnly, CmdTypeBoth, QString(), QString()),
        Row(root, 6, EditModeEdit, CmdTypeSend, QStringLiteral(".ISO;.NC"), QString()),
    };
}

QList<StationMachineSetting> DemoUserRows(const QString &root)
{
    return {
        Row(root, 1, EditModeViewOnly, CmdTypeSend, QStringLiteral(".NC"), QString()),
        Row(root, 3, EditModeEdit, CmdTypeBoth, QStringLiteral(".MPF;.SPF"), QStringLiteral(".MPF")),
        Row(root, 4, EditModeViewOnly, CmdTypeBoth, QStringLiteral("."), QStringLiteral(".")),
    };
}
