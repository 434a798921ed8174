#pragma once

#include <QObject>

namespace MessageIds {
Q_NAMESPACE

// The entries of the message tables by name: 101-199 are the system's
// (resources/strings/strings.tsv), from 1001 our own (own.tsv). The texts
// live only in those files.
enum class MessageId : int {
    None = 0, // no message: the check passed

    Database = 101,
    HelpButton = 102,
    CancelButton = 103,
    BackButton = 104,
    NextButton = 105,
    FinishButton = 106,
    MachineNumber = 107,
    IpAddress = 108,
    Port = 109,
    AddMachineButton = 110,
    DeleteMachineButton = 111,
    DeleteAllButton = 112,
    CopyMachineButton = 113,
    AddMachine = 114,
    DeleteMachine = 115,
    CopyMachine = 116,
    SelectDatabaseTitle = 117,
    DefineMachinesTitle = 118,
    MachineNumberEmpty = 119,
    IpAddressEmpty = 120,
    PortEmpty = 121,
    MachineNotUnique = 122,
    SelectFile = 123,
    AccessDatabaseFilter = 124,
    NotApplicable = 125,
    DatabaseNotFound = 126,
    MachineNameEmpty = 127,
    MachineName = 128,
    NewMachine = 129,
    StationRowsNotDeleted = 130,
    MachineRowsNotDeleted = 131,
    ConvertToUncNames = 132,
    SelectMachinesForPcTitle = 133,
    SelectSendOptionsTitle = 134,
    SelectReceiveOptionsTitle = 135,
    Enabled = 136,
    EditMode = 137,
    CommandType = 138,
    EditModeNone = 139, // the edit modes' texts by code: 139 + code
    EditModeViewOnly = 140,
    EditModeEdit = 141,
    CommandSend = 142, // the command types' texts by code: 142 + code
    CommandReceive = 143,
    CommandBoth = 144,
    RemoteCommand = 145,
    Extension = 146,
    Directory = 147,
    Browse = 148,
    EditModeEmpty = 149,
    CommandTypeEmpty = 150,
    RemoteCommandEmpty = 151,
    DirectoryEmpty = 152,
    DirectoryNotFound = 153,
    DirectoryInvalid = 154,
    MyComputer = 155,
    SelectDirectory = 156,
    SendToCnc = 157,
    ReceiveFromCnc = 158,
    EditTip = 159,
    ViewTip = 160,
    SelectMachineTitle = 161,
    SelectActionTitle = 162,
    SelectFileTitle = 163,
    NoDatabaseSpecified = 164,
    NameColumn = 165,
    SizeColumn = 166,
    ModifiedColumn = 167,
    NoMachinesForPc = 168,
    FileNameLabel = 169,
    SizeInKb = 170,
    FileNotFound = 171,
    SelectMachineIcon = 172,
    Icon = 173,
    PortNotPositive = 174,
    PortTooLarge = 175,
    OkButton = 176,
    NoFileSelected = 177,
    OverwriteFile = 178, // the one question: Yes or No
    GoTip = 179,
    CannotConnect = 180,
    RootNotFound = 181,
    NoMachineEnabledForPc = 182,
    CloseButton = 183,
    ShiftKey = 184,
    BackspaceKey = 185,
    EnterFileName = 186,
    CloseTip = 187,
    KeyboardTip = 188,
    DefaultSendCommand = 189,
    DefaultReceiveCommand = 190,
    RootHidden = 191, // the tree's root refused: hidden, system, alias
    RootSystem = 192,
    RootAlias = 193,
    FolderHidden = 194, // the wizard's folder refused: hidden, system, alias
    FolderSystem = 195,
    FolderAlias = 196,
    SelectMachinesForUserTitle = 197,
    NoMachinesForUser = 198,
    NoMachineEnabledForUser = 199,

    Reading = 1001,
    FolderNotAnswering = 1002,
    FolderNotAnsweringNothingSent = 1003,
    FolderNotAnsweringEditorNotStarted = 1004,
    RequestSent = 1005,
};
Q_ENUM_NS(MessageId)

} // namespace MessageIds

using MessageIds::MessageId;

// Our own texts start here; below are the system's.
constexpr int FirstOwnMessage = 1001;

// The entry `steps` after `id`, for runs such as hidden, system, alias.
constexpr MessageId operator+(MessageId id, int steps) { return MessageId(int(id) + steps); }
