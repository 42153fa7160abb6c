#pragma once

#include "text/status.h"

#include <string>
#include <string_view>
#include <vector>

#include "ecu/monitor.h"
#include "ecu/monitorrecording.h"

namespace qmx::ecu {

// The text of the Monitor window's Start/Stop button: "St&op" while monitoring, else "St&art".
std::string_view monitorButtonText(bool monitoring);

// One row of the Monitor window.
struct MonitorRowText {
    std::string label; // the item's name
    std::string value; // the last value text or "Error"; empty until one arrives
    std::string unit;
};

// What the Monitor window shows: a row per row item of the monitor, the values as they arrive,
// and the recording of those values. It is the monitor's view while the window exists; the
// widget paints from it and is told of every change.
class MonitorPanel : public MonitorView {
public:
    // Told of every change, from inside the monitor's tick.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void valueShown(int row) = 0;
        // Monitoring has ended (the port closed).
        virtual void monitoringEnded() = 0;
        // The recording started, stopped or wrote a line.
        virtual void recordingChanged() = 0;
        // A write failed and the recording stopped; `message` says so. The monitor runs on.
        virtual void recordingFailed(const std::string& message) = 0;
    };

    // `monitor` must outlive the panel.
    explicit MonitorPanel(const Monitor& monitor);

    // Takes the monitor's rows now: their labels and units, with no values yet.
    void rebuild();
    const std::vector<MonitorRowText>& rows() const { return m_rows; }
    void setObserver(Observer* observer) { m_observer = observer; }

    // Shows a value in its row and, while recording, appends it to the file.
    void showValue(int row, std::string_view text) override;
    void monitoringEnded() override;

    // Records every value that arrives into a CSV file at `path` (replacing a recording that
    // runs). 0, or RecordingNotStarted; messageText(status, path) says why.
    text::Status startRecording(const std::string& path);
    void stopRecording();
    bool recording() const { return m_recording.active(); }
    // "Recording to NAME: N lines" while recording; empty otherwise.
    std::string recordingText() const;

private:
    void recordValue(int row, std::string_view text);

    const Monitor& m_monitor;
    std::vector<MonitorRowText> m_rows;
    MonitorRecording m_recording;
    Observer* m_observer = nullptr;
};

} // namespace qmx::ecu
