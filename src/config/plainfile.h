#pragma once

#include "text/status.h"

#include <ostream>
#include <string>

#include "config/linelist.h"

// The plain configuration layout: the line list as text lines.
namespace qmx::config {

// Appends the lines of the file at `path` to `lines`: CR is ignored, LF ends a line, a last line
// without LF counts when it is not empty. Returns 0, msg::WriteDenied when another process
// holds a write lock on the file, or msg::FailedToOpenFile; on failure `lines` is unchanged.
text::Status readPlainFile(const std::string& path, CLineList& lines);

// Writes every line followed by CR LF, nothing added. The caller checks `out`'s state.
void writePlainFile(const CLineList& lines, std::ostream& out);

} // namespace qmx::config
