#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The echoed byte exchange: every byte sent is echoed by the receiving side and compared by the
// sender. Each wait is bounded by the link's countdown (TIMEOUT ticks of 100 ms) and turns the
// event pump while it waits; each read blocks in the device up to the per-byte time-out.
namespace qmx::ecu {

class Link;
class ProgressWindow;

// The most bytes one read attempt collects; more fails the attempt.
constexpr std::size_t kReceivedTextLimit = std::size_t{1} << 20;
// drainPort refuses a port that sends this many bytes without a pause.
constexpr std::size_t kDrainLimit = 2048;

// Sends `byte`, pauses `waitMs` ms when above 0, then waits for the echo. True when the echo
// equals the byte; false at once on a byte that could not go out, a wrong echo or a failed read,
// or when the countdown expires (line errors are then cleared).
[[nodiscard]] bool OutComm(Link& link, std::uint8_t byte, int waitMs);
// Sends `byte` and reads its echo once (one per-byte time-out); true when it came back right.
[[nodiscard]] bool outCommQuick(Link& link, std::uint8_t byte);
// Receives one byte into `byte`; false when the countdown expires or the read fails.
[[nodiscard]] bool InCommAt(Link& link, std::uint8_t& byte);
// Receives S-record text into `received`, echoing every byte and pausing `waitMs` after each,
// until the line falls silent after a last 'C' once "S9" has come (true). Keeps `address` at the
// address digits of the latest record header and the progress status line at the percentage of
// ReadEcuNum records (or the address when ReadEcuNum is 0). False on a failed read or echo, an
// expired countdown or more than kReceivedTextLimit bytes.
[[nodiscard]] bool InComm(Link& link, std::string& received, std::string& address,
                          ProgressWindow& progress, int waitMs);
// Reads stale bytes until the port falls silent, turning the event loop meanwhile; false ("The
// data to read remains in port.") when kDrainLimit bytes, or bytes for the span of the countdown
// (TIMEOUT ticks), arrive without a pause. A closed port is left alone (true).
[[nodiscard]] bool drainPort(Link& link, std::string_view label);
// Reads until a read brings nothing or fails, turning the event loop meanwhile, then clears line
// errors. False when the line did not fall silent within kReceivedTextLimit bytes or the span of
// the countdown.
[[nodiscard]] bool flushPort(Link& link, std::string_view label);

} // namespace qmx::ecu
