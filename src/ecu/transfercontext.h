#pragma once

#include "text/status.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ecu/linearbiter.h"
#include "ecu/portuse.h"
#include "text/numberformat.h"

namespace qmx::text {
class MessageSink;
}
namespace qmx::config {
class CLineList;
}
namespace qmx::maps {
class MapSet;
}

namespace qmx::ecu {

class Link;
class ProgressWindow;

// What an ECU transfer talks through; everything outlives the call.
struct TransferContext {
    Link& link;
    ProgressWindow& progress; // shown while the exchange runs
    text::MessageSink& sink;  // messages the transfer shows itself
};

// The data last read from or written to the ECU; nothing while none is kept.
using EcuSnapshot = std::optional<std::vector<std::uint8_t>>;

// The open configuration as the transfers and the compare see it. The maps'
// image is the edit data; the maps' modified handler marks the document modified.
struct EcuDocument {
    const config::CLineList& lines;
    maps::MapSet& maps;
    const text::NumberFormats& formats;
    const std::string& path;          // the open configuration file; empty when none
    const std::string& machineFolder; // a compared file's [Machine] Model must equal it
    EcuSnapshot& ecuSnapshot;
};

struct CompareData;

// The steps every memory transfer shares. For its lifetime it holds the communication lock and
// the transfer flag; until end() it also keeps the monitor from sending: it sets foregroundBusy
// and first lets a monitor exchange in progress end, so that the monitor never takes bytes of the
// transfer.
class TransferRun {
public:
    explicit TransferRun(Link& link);
    TransferRun(const TransferRun&) = delete;
    TransferRun& operator=(const TransferRun&) = delete;

    // Reads stale bytes from an open port; false when it does not fall silent.
    [[nodiscard]] bool drain(std::string_view label);
    // Claims the monitor cycle, then makes sure the ECU is identified: a closed port is opened
    // (with the tick) and the check at its open decides, an open port gets one check without
    // retries. Returns the check result (0, 1524, 1542, 57651) or why the port did not open
    // (1518, 1552; the link's withProblem() adds why).
    text::Status begin();
    // Closes the port when begin() opened it and lets the monitor send again.
    void end();
    // Runs `attempt(retry)` for the attempts CommandRetrycount asks for (numbers 0..n, or 1..|n|
    // when it is negative) until one returns true; false when none did, or when the port was lost
    // so that no further attempt can reach the ECU. Attempt 0 empties the progress window's retry
    // line; every later one shows "Wait..." and "(Retry)" and logs "(Retry)" with its number.
    bool attempts(ProgressWindow& progress, const std::function<bool(bool retry)>& attempt);

private:
    Link& m_link;
    TransferScope m_transfer;
    CommLockHold m_lock;
    std::optional<ForegroundHold> m_foreground;
    std::optional<MonitorClaim> m_monitorClaim;
    PortUse m_port;
};

// Hands a transfer's failure text to the user: shown with `caption` and the exclamation icon
// when `showMessages`, else kept as the compare data's error text.
void reportTransferFailure(text::MessageSink& sink, CompareData& data, std::string text,
                           int caption, bool showMessages);

} // namespace qmx::ecu
