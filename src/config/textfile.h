#pragma once

#include "text/status.h"

#include <cstddef>
#include <string>
#include <string_view>

// What the plain and the packed readers share: reading a whole file and splitting it at LF.
namespace qmx::config {

// How a reader treats a file that another process holds write-locked, as the program holds the
// file it edits: refused as write-denied, or read all the same (for a reader that only reads).
enum class LockedFile { Refuse, Read };

// Reads every byte of the file at `path` into `bytes` (replacing its content). Returns 0,
// msg::WriteDenied when another process holds a write lock on the file and `locked` is Refuse,
// or msg::FailedToOpenFile when it cannot be opened or read; `bytes` may then hold part of the
// file.
text::Status readFileBytes(const std::string& path, std::string& bytes, LockedFile locked);

// Walks a text line by line; a line ends at LF and is given without it.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    // The next line and whether an LF ended it (false only for a last line running to the end
    // of the text). Returns false when nothing is left.
    bool next(std::string_view& line, bool& terminated);

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// `line` with every CR removed.
std::string withoutCr(std::string_view line);

} // namespace qmx::config
