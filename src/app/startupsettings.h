#pragma once

#include "text/numberformat.h"

#include <cstdint>
#include <string>

// What qmx.INI gives at start-up. These values stay as read: every opened configuration
// starts from a copy of them before its own RS232C section applies, so that one
// configuration's settings never leak into the next.
namespace qmx::app {

// The serial line settings as indexes; -1 = unset.
struct LineIndexes {
    std::int32_t baud = -1;   // 0..5 = 600, 1200, 2400, 4800, 9600, 19200 baud
    std::int32_t data = -1;   // 0 = 7 bits, 1 = 8 bits
    std::int32_t parity = -1; // 0 = none, 1 = odd, 2 = even
    std::int32_t stop = -1;   // 0 = 1, 1 = 1.5, 2 = 2 stop bits
    std::int32_t flow = -1;   // 0 = XON/XOFF on ("YES"), 1 = off ("NO")
    std::int32_t port = -1;   // 0..255: port number index + 1 (qmx.INI's PORT; the registry's
                              // Rs232cPort comes first, see currentPortIndex)
    bool operator==(const LineIndexes&) const = default;
};

struct PrintMargins {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t line = 0;
    bool operator==(const PrintMargins&) const = default;
};

struct StartupSettings {
    LineIndexes line;
    std::int32_t commandRetryCount = 1; // qmx.INI over the registry's CommandRetrycount
    std::int32_t timeout = 50;          // TIMEOUT: ms per byte, and 100 ms ticks per wait
    std::int32_t waitTime = 100;        // WAITTIME: ms after an unanswered ECU check
    std::int32_t retry = 9;             // RETRY: extra ECU check attempts
    std::int32_t ecRetry = 4;           // ECRETRY: ECU check repeats at port open
    bool message = false;               // MESSAGE
    std::int32_t undoSize = 1024;       // UNDO SIZE
    PrintMargins print;
    std::string initialFolder; // DIRECTORY PATH1: where the file dialogs start
    text::NumberFormats precision;
    bool operator==(const StartupSettings&) const = default;
};

} // namespace qmx::app
