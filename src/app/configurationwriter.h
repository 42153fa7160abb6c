#pragma once

#include "text/status.h"

#include <optional>
#include <string>

#include "app/configuration.h"
#include "config/linelist.h"

namespace qmx::app {

// The file bytes of `lines` in `layout` (Plain: every line followed by CR LF; Packed: the
// packed layout). Nothing when a line to be coded is longer than 65535 bytes.
std::optional<std::string> configurationFileBytes(const config::CLineList& lines,
                                                  FileLayout layout);

// Saves `configuration` to `path` in `layout` (Plain or Packed): the image checksum byte is
// fixed (the configuration counts as modified when that byte changed, and the free maps are
// laid out again from the image, keeping the old layout when one would run past 0xFFFF), [Data]
// is rebuilt from the image, and the whole file replaces the old one atomically. Returns 0 (the
// configuration is then not modified), LineTooLong (57659) for a line too long for the packed
// layout, or SaveError (1533) for any other failure: no space, no permission, a target
// write-locked by another process. The file on disk is then exactly as before; the rebuilt
// [Data] section stays in memory. The caller releases its own lock on `path` first.
text::Status writeConfigurationFile(Configuration& configuration, const std::string& path,
                                    FileLayout layout);

} // namespace qmx::app
