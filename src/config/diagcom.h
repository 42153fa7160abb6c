#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/linelist.h"

namespace qmx::config {

// The Monitor window shows at most this many items at a time.
inline constexpr std::size_t kMaxMonitorRows = 15;

// One diagnostic value the ECU can report, from a line of the [Diag.Com] section:
// "No,Request,Name,Unit,Bytes,Gain,Offset".
struct MonitorItem {
    std::uint8_t request = 0; // byte sent to ask for the value
    int length = 1;           // answer bytes, 1 or 2 (high byte first)
    std::string name;
    std::string unit;
    std::string gain;   // decimal text, read when a value arrives
    std::string offset; // decimal text
};

// The usable items of the [Diag.Com] section in file order. A line is used when it has seven
// non-empty fields, a hexadecimal request byte of at most FF and an answer length of 1 or 2;
// other lines are passed over.
std::vector<MonitorItem> readDiagComSection(const CLineList& lines);

} // namespace qmx::config
