#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/linelist.h"
#include "platform/textlines.h"

// The line-level rules that every section reader of a configuration file shares: trimming,
// content lines, section headers and lookup, keyed values, comma fields, hexadecimal numbers.
namespace qmx::config {

// Removes spaces and tabs at both ends.
inline std::string_view trim(std::string_view text) { return platform::trimBlanks(text); }

// Not empty after trimming and not starting with ";".
bool isContentLine(std::string_view line);

// The section name of a header line ("[" name "]" after trimming, at least 3 characters,
// inner text trimmed and not empty); nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line);

using platform::equalsIgnoreCase;

// Index of the first header named `name` (case-insensitive); nothing when there is none.
std::optional<std::size_t> findSection(const CLineList& lines, std::string_view name);

// Index one past the last line of the section whose header is at `header`: the next header
// or the end of the list.
std::size_t sectionEnd(const CLineList& lines, std::size_t header);

// Indexes of the content lines of the section `name`, in order; empty when there is none.
std::vector<std::size_t> sectionContent(const CLineList& lines, std::string_view name);

// Over the content lines of section `section`, the first one holding `separator` whose text
// before it, trimmed, equals `key` case-insensitively: the text after it, trimmed and in upper
// case. Lines without the separator or with an empty key are passed over.
std::optional<std::string> keyedValue(const CLineList& lines, std::string_view section,
                                      std::string_view key, char separator);

// The comma fields of a line, split only as far as a reader needs: at most `maxFields` fields
// (at least one), each trimmed of blanks and tabs; the last field is whatever remains, commas
// included. So the fields never take much more memory than the line, however many commas it
// holds; a reader that wants exactly n fields asks for n + 1 and refuses a line that fills
// them. An empty line gives one empty field.
std::vector<std::string> commaFields(std::string_view line, std::size_t maxFields);

// A string of hexadecimal digits only (no prefix, not empty, at most 8 digits).
std::optional<std::uint32_t> parseHex(std::string_view text);

// A decimal of digits only, optionally with one leading "-", not empty, within int range.
std::optional<int> parseDecimal(std::string_view text);

std::string toUpper(std::string_view text);

} // namespace qmx::config
