#pragma once

#include "text/status.h"

namespace qmx::ecu {

class Link;

// Identifies the ECU on the link: the ECU-type query (0xBF) must answer with the ECU code of the
// settings and the machine query (0xBE) with the configuration's machine code, each as two
// neighbouring bytes of a 2..5 byte answer. A first ECU-code byte of 0 skips both queries; an
// empty machine code becomes "7E" and skips the machine query once. `withRetries` asks each
// query RETRY + 1 times with a WAITTIME pause. Opens and closes the port itself when it is
// closed. Returns 0, 1524 (no answer), 1542 (ECU type differs) or 57651 (machine differs).
text::Status EcuCheckCommand(Link& link, bool withRetries);

// The check that follows a port's open: EcuCheckCommand with retries, repeated while the ECU type
// differs, at most ECRETRY + 1 times. Afterwards the check counts as not passed, so that the next
// single-value write identifies the ECU again. Returns the last check's result.
text::Status identifyAtOpen(Link& link);

} // namespace qmx::ecu
