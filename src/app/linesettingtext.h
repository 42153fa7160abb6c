#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts of the RS232C keys of qmx.INI and their indexes (exact, case-sensitive
// comparisons; see StartupSettings for the index meanings).
namespace qmx::app {

// "600", "1200", "2400", "9600", "19200" give their index; any other text 3 (4800).
std::int32_t speedIndex(std::string_view text);
// First character "7": 0 (7 bits); anything else 1 (8 bits).
std::int32_t dataIndex(std::string_view text);
// "ODD": 1, "EVEN": 2, anything else 0 (none).
std::int32_t parityIndex(std::string_view text);
// Starting with "1.5": 1; else starting with "2": 2; anything else 0 (one stop bit).
std::int32_t stopIndex(std::string_view text);
// "NO": 1 (no XON/XOFF); anything else 0.
std::int32_t flowIndex(std::string_view text);

} // namespace qmx::app
