#pragma once

#include <string>
#include <string_view>
#include <vector>

// Line-oriented text files that are rewritten in place (profile files, the registry file):
// each line keeps its own line end so that untouched lines are written back byte for byte.
namespace qmx::platform {

struct TextLine {
    std::string text; // without the line end
    std::string eol;  // "\n", "\r\n", "\r", or "" for a last line without a line end
};

// Splits `text` at every LF, CR LF or lone CR, as the Windows profile functions do.
std::vector<TextLine> splitLines(std::string_view text);

// The inverse of splitLines.
std::string joinLines(const std::vector<TextLine>& lines);

// The line end that new lines take: the first line end in `lines`, else "\n".
std::string lineEnding(const std::vector<TextLine>& lines);

// Inserts a line with text `text` before index `index` (which may equal lines.size()), giving
// a last line without a line end one first so that the two never run together.
void insertLine(std::vector<TextLine>& lines, std::size_t index, std::string text);

// `text` without leading and trailing `blanks` (by default space, tab and CR).
std::string_view trimBlanks(std::string_view text, std::string_view blanks = " \t\r");

// ASCII case-insensitive equality, as the profile and registry names compare.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace qmx::platform
