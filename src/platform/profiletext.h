#pragma once

#include "platform/textfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a profile (INI) file with the semantics of the Windows profile functions: a
// UTF-8 or UTF-16LE byte-order mark gives the encoding, LF, CR LF and a lone CR end lines,
// section and key names compare without case and without surrounding blanks (space, tab,
// CR, LF, form feed, vertical tab), the first section of a name is the one used, values are
// trimmed of blanks and of one pair of enclosing quotes. Writing changes only the line of the
// key it writes and keeps the encoding and the line ends.
namespace qmx::platform {

class ProfileText {
public:
    // The file whose bytes are `bytes`. Bytes that are no text (see decodeTextFile) read as a
    // file without sections and refuse every write.
    explicit ProfileText(std::string_view bytes = {}) : m_file(decodeTextFile(bytes)) {}

    // The value of `key` in `section`; nothing when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets `key` in `section` to `value`: the key's line is replaced, a missing key is added
    // after the last entry of the section, a missing section is added at the end. False
    // (and nothing changed) when a name or the value holds a line break or would not read
    // back as itself ("=" in a key, "]" in a section name, blank names), and when the file
    // is no text.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes in its own encoding; nothing when the file is no text or a written
    // text cannot be held in its encoding (not UTF-8 in a UTF-16 file).
    std::optional<std::string> bytes() const;

private:
    struct Location {
        std::optional<std::size_t> header; // line of the section header
        std::optional<std::size_t> entry;  // line of the key
        std::size_t insertAt = 0;          // where a new key of the section goes
    };
    Location locate(std::string_view section, std::string_view key) const;

    std::optional<TextFile> m_file;
};

// GetPrivateProfileInt's reading of a value: an optional sign and the leading decimal
// digits, wrapping modulo 2^32; a value without leading digits reads as 0.
std::int32_t profileInteger(std::string_view value);

} // namespace qmx::platform
