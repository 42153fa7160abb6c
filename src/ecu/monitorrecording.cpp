#include "ecu/monitorrecording.h"

#include "text/messages.h"

namespace qmx::ecu {

std::string monitorCsvLine(std::chrono::milliseconds sinceStart, const config::MonitorItem& item,
                           std::string_view value) {
    std::string line = std::to_string(sinceStart.count());
    line += ',';
    line += item.name;
    line += ',';
    line += value;
    line += ',';
    line += item.unit;
    line += '\n';
    return line;
}

text::Status MonitorRecording::start(const std::string& path) {
    stop();
    m_path = path;
    m_lines = 0;
    m_file.reset(std::fopen(path.c_str(), "w"));
    if (!m_file)
        return text::msg::RecordingNotStarted;
    m_start = std::chrono::steady_clock::now();
    return text::msg::Success;
}

text::Status MonitorRecording::append(const config::MonitorItem& item, std::string_view value) {
    if (!m_file)
        return text::msg::RecordingFailed;
    const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - m_start);
    const std::string line = monitorCsvLine(since, item, value);
    // A full disk or a vanished medium shows at the latest when the line is flushed.
    if (std::fwrite(line.data(), 1, line.size(), m_file.get()) != line.size() ||
        std::fflush(m_file.get()) != 0) {
        stop();
        return text::msg::RecordingFailed;
    }
    ++m_lines;
    return text::msg::Success;
}

} // namespace qmx::ecu
