#include "ecu/adapterlatency.h"

#include "ecu/commolog.h"
#include "platform/usbadapter.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <cstring>

namespace qmx::ecu {

void AdapterLatency::logLine(std::string_view head, const std::string& text) {
    m_log.eventLine(0, 0, 0, 0, std::string(head) + text);
}

void AdapterLatency::tune(std::string_view head, const std::filesystem::path& device,
                          const platform::OpenNotes& notes) {
    if (notes.lowLatencyWasOn)
        logLine(head, "low latency was on");
    else if (notes.lowLatencyError == 0)
        logLine(head, "low latency set");
    else
        logLine(head,
                std::string("low latency not available: ") + std::strerror(notes.lowLatencyError));

    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    if (error)
        return;
    const std::filesystem::path ttyFolder = m_sysfsTtyRoot / target.filename();
    const std::optional<platform::LatencyTimer> timer = platform::latencyTimer(ttyFolder);
    if (!timer)
        return;
    const int found = timer->milliseconds;
    if (found <= 1) {
        logLine(head, "latency timer " + std::to_string(found) + " ms");
        return;
    }
    const bool written = platform::setLatencyTimer(timer->file, 1);
    const std::optional<platform::LatencyTimer> now = platform::latencyTimer(ttyFolder);
    const int left = now ? now->milliseconds : found;
    if (written && left <= 1) {
        logLine(head, "latency timer " + std::to_string(found) + " ms, set to 1 ms");
        return;
    }
    logLine(head, "latency timer stays at " + std::to_string(left) + " ms");
    if (m_sink && m_told.insert(target.string()).second)
        m_sink->show(
            text::messageText(text::msg::AdapterLatency,
                              {target.string(), std::to_string(left), timer->file.string()}),
            text::messageText(text::msg::ComPortCaption), text::Icon::Information);
}

} // namespace qmx::ecu
