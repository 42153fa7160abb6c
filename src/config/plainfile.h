#pragma once

#include "text/status.h"

#include <string>

#include "config/linelist.h"
#include "config/textfile.h"

// The plain configuration layout: the line list as text lines.
namespace qmx::config {

// Appends the lines of the file at `path` to `lines`: CR is ignored, LF ends a line, a last line
// without LF counts when it is not empty. Returns 0, msg::WriteDenied when another process
// holds a write lock on the file (unless `locked` is Read), or msg::FailedToOpenFile; on
// failure `lines` is unchanged.
text::Status readPlainFile(const std::string& path, CLineList& lines,
                           LockedFile locked = LockedFile::Refuse);

// Replaces `out` with every line followed by CR LF, nothing added, allocated once at the final
// size.
void writePlainFile(const CLineList& lines, std::string& out);

} // namespace qmx::config
