#pragma once

#include "platform/textlines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a profile (INI) file with the semantics of the Windows profile functions:
// section and key names compare without case and without surrounding blanks, the first
// section of a name is the one used, values are trimmed of blanks and of one pair of
// enclosing quotes. Writing changes only the line of the key it writes.
namespace qmx::platform {

class ProfileText {
public:
    explicit ProfileText(std::string_view bytes = {}) : m_lines(splitLines(bytes)) {}

    // The value of `key` in `section`; nothing when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets `key` in `section` to `value`: the key's line is replaced, a missing key is added
    // after the last entry of the section, a missing section is added at the end. False
    // (and nothing changed) when a name or the value holds a line break or would not read
    // back as itself ("=" in a key, "]" in a section name, blank names).
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string bytes() const { return joinLines(m_lines); }

private:
    struct Location {
        std::optional<std::size_t> header; // line of the section header
        std::optional<std::size_t> entry;  // line of the key
        std::size_t insertAt = 0;          // where a new key of the section goes
    };
    Location locate(std::string_view section, std::string_view key) const;

    std::vector<TextLine> m_lines;
};

// GetPrivateProfileInt's reading of a value: an optional sign and the leading decimal
// digits, wrapping modulo 2^32; a value without leading digits reads as 0.
std::int32_t profileInteger(std::string_view value);

} // namespace qmx::platform
