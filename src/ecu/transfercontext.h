#pragma once

#include "text/status.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
// the transfer flag, and keeps the monitor from sending: it sets foregroundBusy and first lets a
// monitor exchange in progress end, so that the monitor never takes bytes of the transfer.
class TransferRun {
public:
    explicit TransferRun(Link& link);
    // Clears foregroundBusy and the transfer flag and releases the lock.
    ~TransferRun();
    TransferRun(const TransferRun&) = delete;
    TransferRun& operator=(const TransferRun&) = delete;

    // Reads stale bytes from an open port; false when it does not fall silent.
    bool drain(std::string_view label);
    // Marks the monitor cycle taken, opens the port when it is closed (with the tick) and
    // identifies the ECU without retries. Returns the check result (0, 1524, 1542, 57651).
    text::Status begin();
    // Closes the port when begin() opened it and clears foregroundBusy.
    void end();
    // Runs `attempt(retry)` for the attempts CommandRetrycount asks for (numbers 0..n, or 1..|n|
    // when it is negative) until one returns true; false when none did. Attempt 0 empties the
    // progress window's retry line; every later one shows "Wait..." and "(Retry)" and logs
    // "(Retry)" with its number.
    bool attempts(ProgressWindow& progress, const std::function<bool(bool retry)>& attempt);

private:
    Link& m_link;
    bool m_opened = false;
};

// Hands a transfer's failure text to the user: shown with `caption` and the exclamation icon
// when `showMessages`, else kept as the compare data's error text.
void reportTransferFailure(text::MessageSink& sink, CompareData& data, std::string text,
                           int caption, bool showMessages);

} // namespace qmx::ecu
