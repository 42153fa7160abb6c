#pragma once

#include "text/status.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "config/diagcom.h"

namespace qmx::ecu {

// One line of the monitor's CSV text, as qmxctl monitor prints it and a recording writes it:
// milliseconds since the start, item name, value text (or "Error") and unit, ended by "\n".
std::string monitorCsvLine(std::chrono::milliseconds sinceStart, const config::MonitorItem& item,
                           std::string_view value);

// A recording of the monitor's values into a CSV file, one line per value as it arrives, each
// line flushed as it is written so that the file holds every value shown so far.
class MonitorRecording {
public:
    // Creates the file at `path` (emptying one that exists) and starts the clock. 0, or
    // RecordingNotStarted when the file cannot be created (no recording then runs).
    text::Status start(const std::string& path);
    // Appends the line of `value`. 0, or RecordingFailed when the line could not be written: the
    // recording has then stopped, and the file keeps the lines written before.
    text::Status append(const config::MonitorItem& item, std::string_view value);
    // Closes the file; nothing when no recording runs.
    void stop() { m_file.reset(); }

    bool active() const { return m_file != nullptr; }
    // The file of the running or the last recording.
    const std::string& path() const { return m_path; }
    // Lines written by the running or the last recording.
    std::uint64_t lines() const { return m_lines; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<std::FILE, Closer> m_file;
    std::string m_path;
    std::uint64_t m_lines = 0;
    std::chrono::steady_clock::time_point m_start;
};

} // namespace qmx::ecu
