#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/linelist.h"

namespace qmx::config {

// The lines of the [Error Message] section that translate the ECU's write result byte: one
// character (the byte), a comma, the text. Blank and comment lines are skipped; the section
// ends at the next line that begins with "[" and ends with "]".
std::vector<std::string> readResponseTexts(const CLineList& lines);

// The text for `resultByte`: the first line longer than 2 characters whose first character is
// the byte and whose second is ","; nothing when no line matches.
std::optional<std::string> lookUpResponse(const std::vector<std::string>& texts,
                                          unsigned char resultByte);

} // namespace qmx::config
