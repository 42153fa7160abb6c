#pragma once

#include "text/status.h"

#include <cstdint>

namespace qmx::text {
class MessageSink;
}

// Putting one byte or one word straight into the running ECU: the command byte 'S' or 's', the
// address high and low byte, then the value, each echoed before the next goes out.
namespace qmx::ecu {

class Link;
class ProgressWindow;

// Writes `value` to ECU address `address`. Waits for a running monitor exchange to finish, opens
// the port when it is closed (identifying the ECU at its open, and closing it again afterwards),
// on an open port identifies the ECU when that has not passed since the open, and sets the busy
// and transfer flags meanwhile. Returns 0, why the port did not open (1518, 1552), the check
// result (1524, 1542, 57651), 1548 when stale bytes keep coming, or 1524 for a missing or wrong
// echo; a failure is also shown through `sink` with the program title as caption.
text::Status writeEcuByte(Link& link, ProgressWindow& progress, text::MessageSink& sink,
                          std::uint16_t address, std::uint8_t value);
// The same for a word, sent high byte first.
text::Status writeEcuWord(Link& link, ProgressWindow& progress, text::MessageSink& sink,
                          std::uint16_t address, std::uint16_t value);

} // namespace qmx::ecu
