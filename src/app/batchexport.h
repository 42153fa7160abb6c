#pragma once

#include "text/status.h"

#include <ctime>
#include <string>

#include "app/configuration.h"
#include "text/numberformat.h"

// The export text of the batch mode: the physical values of every map and the calibration
// constants of a configuration, in a line-oriented text of its own.
namespace qmx::app {

// The export text of `configuration` at local time `when`, lines ended by CR LF: the time
// ("%y/%m/%d %H:%M:%S"), "Version 1.0", per map its FM... header lines and its value table,
// "[Calib]" with one line per content line of the [Calib] section, "[Fixed]" and "[end]".
// Values are printed with the X, Y and Z decimals of `formats` (Y values with the map's own
// format and the ±2000 rule); a value whose conversion fails is left empty.
std::string exportText(const Configuration& configuration, const text::NumberFormats& formats,
                       const std::tm& when);

// Writes exportText for the current local time to `path`, replacing the file atomically.
// Returns 0 or FailedToWriteFile (1517); the file is then as it was.
text::Status writeExport(const Configuration& configuration, const text::NumberFormats& formats,
                         const std::string& path);

} // namespace qmx::app
