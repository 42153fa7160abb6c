#include "text/messages.h"

#include <array>
#include <utility>

namespace qmx::text {

namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by number.
constexpr std::array kTable{
    Entry{msg::ProgramTitle, "QMX"},
    Entry{msg::ExpressionNotCorrect, "HEX to Physical expression is not correct"},
    Entry{msg::DivisionByZero, "Error /0"},
    Entry{msg::InputMaxOver, "Input Data MaxOver"},
    Entry{msg::InputMinOver, "Input Data MinOver"},
    Entry{msg::OperandMissing, "Operand is missing in expression"},
    Entry{msg::UsedWrongEquation, "Used wrong equation"},
    Entry{msg::DataSetAsBefore, "Data is set as before editing"},
    Entry{msg::DataError, "Data error"},
    Entry{msg::DataSectionNotFound, "[Data] section is not found"},
    Entry{msg::DataSectionDataNotFound, "[Data] section data is not found"},
    Entry{msg::SFormatError, "S-format error in [Data] section"},
    Entry{msg::WrongWordInData, "Including wrong word in [Data] section"},
    Entry{msg::DataChecksumError, "Checksum of S-format in [Data] section is in error"},
    Entry{msg::AllParametersNotDefined, "All Parameters are not defined"},
    Entry{msg::MapSectionNotFound, "[Free Map] or [Config Map] section is not found."},
    Entry{msg::FreeMapFormatError, "Format error in [Free Map] section"},
    Entry{msg::FailedToOpenFile, "Failed to open file"},
    Entry{msg::FailedToWriteFile, "Failed to write file"},
    Entry{msg::FailedOpenPort, "Failed open RS232C port"},
    Entry{msg::FailedToReadFileData, "Failed to read file data"},
    Entry{msg::FailedToCorrespond, "Failed to correspond with ECU."},
    Entry{msg::AddressDoesNotCorrespond, "Address does not correspond"},
    Entry{msg::MapAddressWrong, "Map Address is wrong"},
    Entry{msg::NoResponseFromEcu, "No response from ECU."},
    Entry{msg::InputRangeOver, "Input Data Range Over:%.2f \n (%.2f<=Data<=%.2f)\n set %.2f"},
    Entry{msg::WriteErrorAddress, "Write Error Address : %s"},
    Entry{msg::ReadErrorAddress, "Read Error Address : %s"},
    Entry{msg::InputRangeOverTwoIntervals,
          "Input Data Range Over:%.2f \n (%.2f<=Data<=%.2f or %.2f<=Data<=%.2f)\n set %.2f"},
    Entry{msg::SaveError, "ConfigurationFile Save Error!"},
    Entry{msg::MapNamesPiledUp, "Map names are piled up"},
    Entry{msg::LinkFirstOrSecondEmpty, "#1Map or #2Map is empty"},
    Entry{msg::LinkThirdFourthMismatch, "#3Map and #4Map must be both empth \n or both not empty"},
    Entry{msg::LinkDataCountDiffers, "Data count is different. \n Can't Execute map link."},
    Entry{msg::EcuTypeDifferent, "ECU type is different."},
    Entry{msg::ClipboardUnreadable,
          "Can't correct clip board data\nSupported digital data of front form only."},
    Entry{msg::ClipboardNotRectangular,
          "Clip board has not supported data.\nIt's not data of front form."},
    Entry{msg::ClipboardNotNumeric, "Clip board has not supported data.\nIt's not digital data."},
    Entry{msg::PasteDuringSelection, "paste processing cannot be performed during selection."},
    Entry{msg::DataRemainsInPort, "The data to read remains in port."},
    Entry{msg::MachineTypeDifferent, "Machine type is different."},
    Entry{msg::ConfigMapFormatError, "Format error in [Config Map] section"},
    Entry{msg::AutoSelectFailed, "Failed auto select com port!"},
    Entry{msg::ProgramSettingsMissing, "%s.ini is not exist."},
    Entry{msg::WrongWord, "Including wrong word"},
    Entry{msg::DataOverWordSize, "Data is over Word size"},
    Entry{msg::ValueCannotBeEdited, "A value cannot be edited."},
    Entry{msg::FileInUse, "Another program is using this file: Save cannot write to it until that "
                          "program closes it."},
    Entry{msg::DamagedDataRecords, "Checksum of S-format in [Data] section is in error in %s "
                                   "record(s); the first is in line %s (address %s)."},
    Entry{msg::SettingsFolderSearched, "Folder searched: %s"},
    Entry{msg::SettingsFolderOfRegistry, "(Install Directory + InitializeFolder of %s)"},
    Entry{msg::SettingsFolderOfProgram,
          "(the program's folder + InitializeFolder: %s names no Install Directory)"},
    Entry{msg::SettingsFolderRegistryUnread, "(the program's folder: %s cannot be read)"},
    Entry{msg::PortAccessDenied, "This user may not open the serial port %s."},
    Entry{msg::PortGroupFix, "The port belongs to the group %s: add this user to that group "
                             "(sudo usermod -aG %s $USER), then log in again."},
    Entry{msg::PortInUse, "The serial port %s is in use by another program."},
    Entry{msg::PortInUseBy, "The serial port %s is in use by %s."},
    Entry{msg::PortLost, "The connection to %s was lost: the cable or the adapter was unplugged."},
    Entry{msg::AdapterLatency,
          "The USB serial adapter %s holds received bytes for %s ms before passing them on, which "
          "makes every transfer many times slower. This command sets it to 1 ms until the adapter "
          "is plugged in again:\necho 1 | sudo tee %s"},
    Entry{msg::CannotInputZero, "Cannot input 0"},
    Entry{msg::RecordingFailed, "Failed to write %s: the recording has stopped. The monitor runs "
                                "on, and the file keeps the lines written before."},
    Entry{msg::RecordingNotStarted, "Failed to create %s: no recording was started."},
    Entry{msg::RecordingStatus, "Recording to %s: %s lines"},
    Entry{msg::PortSerialNumber, ", serial number %s"},
    Entry{msg::PortNoAccessMark, "  (!) this user may not open it"},
    Entry{msg::DataCompareCaption, "Data Compare"},
    Entry{msg::MapWindowCaption, "Map Window"},
    Entry{msg::TableWindowCaption, "Table Window"},
    Entry{msg::ComPortCaption, "Com Port"},
    Entry{msg::WriteToEcuCaption, "Write to ECU"},
    Entry{msg::ReadFromEcuCaption, "Read From ECU"},
    Entry{msg::MultiMapEditCaption, "Multi Map Edit"},
    Entry{msg::EditConstCaption, "Edit Const"},
    Entry{msg::CloseWithoutSaving, "Are you sure you want to close without saving the change ?"},
    Entry{msg::CancelMapLink, "Do you cancel map link?"},
    Entry{msg::ExecuteMapLink, "Do you execute map link?"},
    Entry{msg::MapLinkCleared, "Map link was cleared."},
    Entry{msg::LogColumnsHeader,
          "time, Buffer, NumberOfBytesReadOrWrite, timeOut, GetLastError, FunctionName\n\n"},
    Entry{msg::LogReadLine, "ReadFile:"},
    Entry{msg::LogWriteLine, "WriteFile:"},
    Entry{msg::Complete, "Complete"},
    Entry{msg::ReadFromFileCaption, "Read From File"},
    Entry{msg::Same, "Same"},
    Entry{msg::EcuTypeDifferentBang, "ECU type is different!"},
    Entry{msg::LogFolderMissing, "The folder for output a log does not exist."},
    Entry{msg::CloseWithoutWriting,
          "Are you sure you want to close without Writing to ECU the change?"},
    Entry{msg::PackedVersionError, "The rcz file of this version cannot be opened."},
    Entry{msg::WriteDenied, "This file is write-denied by other process."},
    Entry{msg::PortSelected, "COM%d %s was Selected."},
    Entry{msg::LogHeader, "**\n* %s\n*\n"},
    Entry{msg::LineTooLong, "character's of a line is over 0xffff."},
};

} // namespace

std::string_view messageText(int id) {
    for (const Entry& entry : kTable) {
        if (entry.id == id)
            return entry.text;
    }
    return {};
}

std::string messageText(int id, std::string_view argument) {
    return messageText(id, {argument});
}

std::string messageText(int id, std::initializer_list<std::string_view> arguments) {
    std::string text(messageText(id));
    std::size_t from = 0;
    for (std::string_view argument : arguments) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, argument);
        from = at + argument.size();
    }
    return text;
}

} // namespace qmx::text
