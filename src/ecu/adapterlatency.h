#pragma once

#include "platform/termiosserialdevice.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace qmx::text {
class MessageSink;
}

namespace qmx::ecu {

class CommoLog;

// Keeps USB serial adapters from holding received bytes back: with an echoed protocol every
// character waits for the adapter's latency timer otherwise (16 ms on many, so a 64 KiB write at
// 9600 baud takes 50 minutes instead of 6).
class AdapterLatency {
public:
    // Adapters are looked up under `sysfsTtyRoot`; `log` must outlive this.
    AdapterLatency(std::filesystem::path sysfsTtyRoot, CommoLog& log)
        : m_sysfsTtyRoot(std::move(sysfsTtyRoot)), m_log(log) {}

    // Where the command that lowers a latency timer is said; none: only the log says it.
    void setNoticeSink(text::MessageSink* sink) { m_sink = sink; }

    // After `device` opened with `notes`: writes into the log what became of the low-latency
    // request, reads the adapter's latency timer and lowers it to 1 ms where it is above. A
    // timer that stays above 1 ms is said once per adapter and run, with the command that
    // lowers it. `head` starts each log line ("** COM3: ").
    void tune(std::string_view head, const std::filesystem::path& device,
              const platform::OpenNotes& notes);

private:
    void logLine(std::string_view head, const std::string& text);

    std::filesystem::path m_sysfsTtyRoot;
    CommoLog& m_log;
    text::MessageSink* m_sink = nullptr;
    std::set<std::string> m_told;
};

} // namespace qmx::ecu
