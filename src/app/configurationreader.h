#pragma once

#include "text/status.h"

#include <string>

#include "app/appsettings.h"
#include "app/configuration.h"

namespace qmx::app {

// Reads the file at `path` into `configuration`, in this order: the lines (packed, plain, or
// packed with the plain reader as fallback), the machine check against the registry's
// MachineFolder, the [Data] section into the image, the maps and their [Multi Map] link, the
// serial settings (the start-up values with this file's [RS232C] over them), the [Diag.Com]
// monitor items with the rows stored in DIAGSELECT, and the machine code. On success the path,
// title and layout are set and the configuration is not modified; the file is not locked.
// Returns 0 or the message number: 57656, 1516, 57655, 1550, 1507..1510, 1514, 1515, 1523 or
// 1551 (57656 only when opening for editing). On failure the configuration is in the
// no-document state (the image may hold bytes of the [Data] section already loaded).
text::Status readConfiguration(Configuration& configuration, AppSettings& settings,
                               const std::string& path, FileLayout layout, OpenFor purpose);

// Whether an open's `failure` is one of the reader's format errors, shown with the
// error icon (1507..1510, 1514, 1515, 1523, 1551); every other failure takes the exclamation
// icon.
bool isErrorIconMessage(text::Status failure);

} // namespace qmx::app
