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
};

// A value line `"Name"=<data>` (continuation lines already joined, blanks trimmed). The data
// `dword:` + 1..8 hex digits, `hex:` + comma-separated bytes or a quoted text (with \\ and \"
// escapes) gives its type; any other data (hex(n):, a deletion, malformed digits) is kept as
// RegType::Other. Nothing when the line is not a value line.
std::optional<NamedValue> parseValueLine(std::string_view line);

// The key named by a key line `[...]`, or nothing when the line is not one.
std::optional<std::string_view> keyName(std::string_view line);

// True when `key` names SOFTWARE\QMX (with or without its hive in front).
bool isProgramKey(std::string_view key);

// A header line of an export file ("Windows Registry Editor Version 5.00", "REGEDIT4").
bool isHeaderLine(std::string_view line);

// The line `"name"=dword:xxxxxxxx` as regedit writes it.
std::string dwordLine(std::string_view name, std::uint32_t value);

// The key line that starts the program's key in a new part of the file.
inline constexpr std::string_view kProgramKeyLine = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]";

} // namespace qmx::platform::regformat
