#pragma once

#include "text/status.h"

#include <string>
#include <string_view>

#include "config/linelist.h"
#include "config/textfile.h"

// The packed configuration layout: the title block as plain text, closed by an empty line and
// "[End Title]", then every other line in a hexadecimal line code between two coded version
// lines. Lines end with CR LF.
namespace qmx::config {

// Appends the line code of `text` to `out`: its length as 4 lower-case hexadecimal digits, then
// per byte the digit of its low 4 bits and the digit of its high 4 bits. False, and nothing
// appended, when the text is longer than 65535 bytes.
bool encodeLine(std::string_view text, std::string& out);

// Replaces `out` with the bytes of `lines` in the packed layout, allocated once at their final
// size. Returns 0, or msg::LineTooLong when a line to be coded is longer than 65535 bytes;
// `out` is then empty.
text::Status writePackedFile(const CLineList& lines, std::string& out);

// Appends the lines of the packed file at `path` to `lines` (the framing lines excluded).
// Returns 0, msg::PackedVersionError for a file that is not a readable packed file,
// msg::WriteDenied when another process holds a write lock on it (unless `locked` is Read),
// or msg::FailedToOpenFile; on failure `lines` is left as it was.
text::Status readPackedFile(const std::string& path, CLineList& lines,
                            LockedFile locked = LockedFile::Refuse);

} // namespace qmx::config
