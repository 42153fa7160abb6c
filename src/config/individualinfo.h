#pragma once

#include "text/status.h"

#include <optional>
#include <string>

#include "config/linelist.h"

namespace qmx::config {

// The two-character machine code: from the first content line of [Individual Information]
// whose first field is exactly "VestraMachineCode" and whose second field has at least two
// characters. Nothing when no such line exists (the caller keeps its code).
std::optional<std::string> readMachineCode(const CLineList& lines);

// 0 when the configuration belongs to `machineFolder` (no Model key in [Machine], or a Model
// that is the same text, each read as UTF-8 when valid, else as Windows-1252), else the
// "machine type is different" message number.
text::Status checkMachine(const CLineList& lines, const std::string& machineFolder);

} // namespace qmx::config
