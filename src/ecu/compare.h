#pragma once

#include "text/status.h"

#include <string>
#include <string_view>

#include "ecu/datapane.h"
#include "ecu/transfercontext.h"

// The data compare: two of the three places the calibration data lives (the edit data, a
// configuration file, the running ECU) are loaded into the two panes, checked for the same
// addresses and the same machine, and every constant and map cell whose bytes differ is listed
// in physical values.
namespace qmx::ecu {

enum class CompareChoice {
    EditWithEcu,  // "Edit area with ECU": first pane the ECU, second the edit data
    FileWithEcu,  // "File data with ECU": first pane a file, second the ECU
    EditWithFile, // "Edit area With File data.": first pane the edit data, second a file
};

// Loads the [Data] section of the packed configuration file `path` into `pane`, titled
// "File Data  [ <path> ]", through a private line list and image (the open configuration is not
// touched). Returns 0, 57655 for a file that is not a readable packed file, 1550 when its
// [Machine] Model differs from `machineFolder`, or 1519 for anything else; a failure is shown
// captioned "Read From File" and leaves the pane as it was.
text::Status loadFileData(const std::string& path, const std::string& machineFolder, DataPane& pane,
                          text::MessageSink& sink);

// Whether the panes hold data of one machine: the second field of the first content line of
// [Individual Information], read as a hexadecimal address a, names the two bytes (a, a + 1) that
// must be equal in both panes. Without such a line or field, and for bytes that lie outside
// either pane, the machines count as the same.
bool sameMachine(const config::CLineList& lines, const DataPane& first, const DataPane& second);

// The differences between the panes, lines ending in CR LF, values as the editors show them,
// first pane first: the constants of [Calib] under "* Label;  <first>  <second>", then per map
// under "* Map Name;  Axis  <first>  <second>" (a map with an X row per Z value: "AxisZ  AxisX")
// each differing cell as "<map>;  z  <v1>  <v2>" for data and ";  x  " for axis values. A value
// with a byte outside either pane is passed over. Empty when nothing differs.
std::string differenceListing(const EcuDocument& document, const DataPane& first,
                              const DataPane& second);

// Runs a verify: loads the two sources of `choice` (the ECU through a read with messages, the
// file `filePath` through loadFileData, the edit data through loadEditData), then compares them.
// `log` receives "ORIGINAL;  <first title>" and "VERIFY;  <second title>" as each pane is
// loaded, then the text of 1521 for different start addresses, of 1550 for different machines,
// the difference listing, or "Same". Returns 0 once compared, or the failing loader's message
// number (the loader showed it; the log then holds at most its first line).
text::Status verify(TransferContext& context, EcuDocument& document, CompareData& data,
                    CompareChoice choice, const std::string& filePath, std::string& log);

// The log as a text file holds it: carriage returns removed, a final line feed added.
std::string compareLogText(std::string_view log);

// Writes compareLogText(`log`) to `path`, replacing the file atomically. Returns 0 or 1517.
text::Status saveCompareLog(const std::string& path, std::string_view log);

} // namespace qmx::ecu
