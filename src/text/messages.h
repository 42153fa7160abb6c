#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The program's numbered messages. Every text the user sees comes from this table, so that
// operations can return a message number (0 = success) and the front end shows the text.
namespace qmx::text {

namespace msg {
constexpr int Success = 0;
constexpr int ProgramTitle = 2;
constexpr int ExpressionNotCorrect = 1000;
constexpr int DivisionByZero = 1001;
constexpr int InputMaxOver = 1002;
constexpr int InputMinOver = 1003;
constexpr int OperandMissing = 1004;
constexpr int UsedWrongEquation = 1500;
constexpr int DataSetAsBefore = 1504;
constexpr int DataError = 1505;
constexpr int DataSectionNotFound = 1507;
constexpr int DataSectionDataNotFound = 1508;
constexpr int SFormatError = 1509;
constexpr int WrongWordInData = 1510;
constexpr int DataChecksumError = 1511;
constexpr int AllParametersNotDefined = 1512;
constexpr int MapSectionNotFound = 1514;
constexpr int FreeMapFormatError = 1515;
constexpr int FailedToOpenFile = 1516;
constexpr int FailedToWriteFile = 1517;
constexpr int FailedOpenPort = 1518;
constexpr int FailedToReadFileData = 1519;
constexpr int FailedToCorrespond = 1520;
constexpr int AddressDoesNotCorrespond = 1521;
constexpr int MapAddressWrong = 1523;
constexpr int NoResponseFromEcu = 1524;
constexpr int InputRangeOver = 1525;
constexpr int WriteErrorAddress = 1528;
constexpr int ReadErrorAddress = 1529;
constexpr int InputRangeOverTwoIntervals = 1531;
constexpr int SaveError = 1533;
constexpr int MapNamesPiledUp = 1538;
constexpr int LinkFirstOrSecondEmpty = 1539;
constexpr int LinkThirdFourthMismatch = 1540;
constexpr int LinkDataCountDiffers = 1541;
constexpr int EcuTypeDifferent = 1542;
constexpr int ClipboardUnreadable = 1544;
constexpr int ClipboardNotRectangular = 1545;
constexpr int ClipboardNotNumeric = 1546;
constexpr int PasteDuringSelection = 1547;
constexpr int DataRemainsInPort = 1548;
constexpr int MachineTypeDifferent = 1550;
constexpr int ConfigMapFormatError = 1551;
constexpr int AutoSelectFailed = 1552;
// Numbers from 1553 up to 1599 and 2021 are this program's own: texts the program shows that carry
// no number of their own.
constexpr int ProgramSettingsMissing = 1553; // "%s" takes the program's name
constexpr int WrongWord = 1554;
constexpr int DataOverWordSize = 1555;
constexpr int ValueCannotBeEdited = 1556;
constexpr int FileInUse = 1560;
constexpr int DamagedDataRecords = 1565;           // "%s" takes the count, the line and the address
constexpr int SettingsFolderSearched = 1571;       // "%s": the folder searched for qmx.INI
constexpr int SettingsFolderOfRegistry = 1572;     // "%s": the registry file
constexpr int SettingsFolderOfProgram = 1573;      // "%s": the registry file
constexpr int SettingsFolderRegistryUnread = 1574; // "%s": the registry file
constexpr int PortAccessDenied = 1580;             // "%s": the device
constexpr int PortGroupFix = 1581;                 // "%s": the device's group, twice
constexpr int PortInUse = 1582;                    // "%s": the device
constexpr int PortInUseBy = 1583;                  // "%s": the device, the program(s) holding it
constexpr int PortLost = 1584;                     // "%s": the port's COM name
constexpr int AdapterLatency = 1585; // "%s": device, latency in ms, the latency_timer file
constexpr int CannotInputZero = 1615;
// 1620..1629: the monitor's recording and the Com Port dialog's port facts.
constexpr int RecordingFailed = 1620;     // "%s": the file
constexpr int RecordingNotStarted = 1621; // "%s": the file
constexpr int RecordingStatus = 1622;     // "%s": the file's name, then the line count
constexpr int PortSerialNumber = 1623;    // "%s": a USB adapter's serial number
constexpr int PortNoAccessMark = 1624;
// Numbers from 1630 up to 1639 are this program's own too: the data compare.
constexpr int DataCompareCaption = 1630;
constexpr int MapWindowCaption = 2000;
constexpr int TableWindowCaption = 2001;
constexpr int ComPortCaption = 2005;
constexpr int WriteToEcuCaption = 2015;
constexpr int ReadFromEcuCaption = 2016;
constexpr int MultiMapEditCaption = 2020;
constexpr int EditConstCaption = 2021;
constexpr int CloseWithoutSaving = 3001;
constexpr int CancelMapLink = 3005;
constexpr int ExecuteMapLink = 3006;
constexpr int MapLinkCleared = 3008;
constexpr int LogColumnsHeader = 57644;
constexpr int LogReadLine = 57645;
constexpr int LogWriteLine = 57646;
constexpr int Complete = 57647;
constexpr int ReadFromFileCaption = 57649;
constexpr int Same = 57650;
constexpr int EcuTypeDifferentBang = 57651;
constexpr int LogFolderMissing = 57652;
constexpr int CloseWithoutWriting = 57654;
constexpr int PackedVersionError = 57655;
constexpr int WriteDenied = 57656;
constexpr int PortSelected = 57657;
constexpr int LogHeader = 57658;
constexpr int LineTooLong = 57659;
} // namespace msg

// The text of message `id` exactly as the program shows it; empty for an unknown number.
std::string_view messageText(int id);

// The text of message `id` with its one "%s" replaced by `argument` (taken literally, so a
// "%" in it is never read as a format).
std::string messageText(int id, std::string_view argument);

// The text of message `id` with each "%s" in turn replaced by the next of `arguments`, taken
// literally; a "%s" without an argument stays as it is.
std::string messageText(int id, std::initializer_list<std::string_view> arguments);

} // namespace qmx::text
