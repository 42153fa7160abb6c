#pragma once

#include "platform/registry.h"

#include <optional>
#include <string>
#include <string_view>

// The line grammar of the registry-export format, as far as the program's store uses it.
namespace qmx::platform::regformat {

struct NamedValue {
    std::string name;
    RegValue value;
    bool deletion = false; // `"Name"=-`: the value is deleted
};

// A value line `"Name"=<data>` (continuation lines already joined, blanks trimmed). The data
// `dword:` + 1..8 hex digits, `hex:` + comma-separated bytes or a quoted text (with \\ and \"
// escapes) gives its type; `-` deletes the value; any other data (hex(n):, malformed digits)
// is kept as RegType::Other. Nothing when the line is not a value line.
std::optional<NamedValue> parseValueLine(std::string_view line);

// Which view of the program's key a key line names.
enum class ProgramKey {
    None,   // another key
    Native, // SOFTWARE\QMX
    Wow64,  // SOFTWARE\WOW6432Node\QMX, where 64-bit Windows keeps a 32-bit program's key
};

struct KeyLine {
    ProgramKey key = ProgramKey::None;
    bool deletion = false; // `[-...]`: the key is deleted
};

// The key line `[...]` (hive in front or not), or nothing when the line is not one.
std::optional<KeyLine> parseKeyLine(std::string_view line);

// A header line of an export file ("Windows Registry Editor Version 5.00", "REGEDIT4").
bool isHeaderLine(std::string_view line);

// The line `"name"=dword:xxxxxxxx` as regedit writes it.
std::string dwordLine(std::string_view name, std::uint32_t value);

// The key line that starts the program's key in a new part of the file.
inline constexpr std::string_view kProgramKeyLine = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]";

} // namespace qmx::platform::regformat
