#pragma once

#include "config/ecuimage.h"
#include "sim/ecuengine.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

// ecusim's command line: what the device holds, how it answers and how it misbehaves.
namespace qmx::sim {

struct SimSetup {
    config::EcuImage memory; // the device's memory; its range is the data area
    EngineOptions engine;
    std::string linkPath;   // a link to create that points at the device; empty for none
    bool watchStdin = true; // end when standard input closes
    bool trace = false;     // print every byte and event on standard error
};

// Fills `setup` from the command line. Returns the exit code when the program should end at
// once (0 after --help, 2 after a usage error, whose text went to `err`), nothing to run.
std::optional<int> parseCommandLine(int argc, const char* const* argv, SimSetup& setup,
                                    std::ostream& out, std::ostream& err);

// A byte written as one character ('0' is 0x30) or as "0x" and one or two hexadecimal digits.
std::optional<std::uint8_t> parseByteValue(std::string_view text);
// "LOW-HIGH", two hexadecimal addresses of at most 4 digits with LOW <= HIGH.
std::optional<std::pair<std::uint16_t, std::uint16_t>> parseRange(std::string_view text);
// An even number of hexadecimal digits ("FF00" gives 0xFF 0x00).
std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view text);
// "REQ:LEN:START[:STEP[:PERIOD]]": request byte (hex), 1 or 2 answer bytes, start value and
// step (decimal, a step may be negative) and the period in milliseconds (default 1000).
std::optional<MonitorItem> parseMonitorItem(std::string_view text);

} // namespace qmx::sim
