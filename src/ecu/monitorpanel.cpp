#include "ecu/monitorpanel.h"

#include "text/messages.h"

#include <filesystem>

namespace qmx::ecu {

std::string_view monitorButtonText(bool monitoring) {
    return monitoring ? "St&op" : "St&art";
}

MonitorPanel::MonitorPanel(const Monitor& monitor) : m_monitor(monitor) {
}

void MonitorPanel::rebuild() {
    m_rows.clear();
    for (const int index : m_monitor.rows()) {
        const config::MonitorItem& item = m_monitor.items()[static_cast<std::size_t>(index)];
        m_rows.push_back({item.name, {}, item.unit});
    }
}

void MonitorPanel::showValue(int row, std::string_view text) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return;
    m_rows[static_cast<std::size_t>(row)].value = text;
    if (m_observer)
        m_observer->valueShown(row);
    if (recording())
        recordValue(row, text);
}

void MonitorPanel::monitoringEnded() {
    if (m_observer)
        m_observer->monitoringEnded();
}

void MonitorPanel::recordValue(int row, std::string_view text) {
    const auto index = static_cast<std::size_t>(m_monitor.rows()[static_cast<std::size_t>(row)]);
    const text::Status written = m_recording.append(m_monitor.items()[index], text);
    if (!m_observer)
        return;
    m_observer->recordingChanged();
    if (written)
        m_observer->recordingFailed(text::messageText(written.message(), m_recording.path()));
}

text::Status MonitorPanel::startRecording(const std::string& path) {
    const text::Status started = m_recording.start(path);
    if (m_observer)
        m_observer->recordingChanged();
    return started;
}

void MonitorPanel::stopRecording() {
    if (!recording())
        return;
    m_recording.stop();
    if (m_observer)
        m_observer->recordingChanged();
}

std::string MonitorPanel::recordingText() const {
    if (!recording())
        return {};
    const std::string name = std::filesystem::path(m_recording.path()).filename().string();
    return text::messageText(text::msg::RecordingStatus,
                             {name, std::to_string(m_recording.lines())});
}

} // namespace qmx::ecu
