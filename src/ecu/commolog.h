#pragma once

#include "text/status.h"

#include "text/messagesink.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace qmx::ecu {

// The communication log: one text file that every byte on the serial line and every link event
// is written to, one line each. Until it is opened every write does nothing.
class CommoLog {
public:
    // Milliseconds since the program started, for the time column.
    using Clock = std::function<long long()>;

    // `clock` defaults to a steady clock counting from the log's construction.
    explicit CommoLog(Clock clock = {});

    // Opens the log file `path` (the CommoLog registry value) for appending, deleting it first
    // when `deleteFirst` (CommoLogDelete is 1). "/" and "\" both separate folders; missing
    // folders are created. Writes the header with `versionText`. Returns 0, or 57652 when the
    // folder cannot be made or written or the file cannot be opened; 57652 is also shown through
    // `sink` as a plain message, and the program runs on without a log.
    text::Status open(std::string_view path, bool deleteFirst, std::string_view versionText,
                      text::MessageSink& sink);
    bool isOpen() const { return m_file != nullptr; }
    // Closes the file; later writes do nothing.
    void close() { m_file.reset(); }

    // One line for a read of the port: time, byte, bytes read, countdown, system error, label.
    void readLine(std::uint8_t byte, int count, int ticks, int error, std::string_view label);
    // One line for a write of the port, flushed at once.
    void writeLine(std::uint8_t byte, int count, int ticks, int error, std::string_view label);
    // One event line ("** Open COM1", "(Retry)", ...), flushed at once.
    void eventLine(std::uint8_t byte, int count, int ticks, int error, std::string_view text);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void line(std::string_view operation, std::uint8_t byte, int count, int ticks, int error,
              std::string_view text, bool flush);

    Clock m_clock;
    std::unique_ptr<std::FILE, FileCloser> m_file;
};

} // namespace qmx::ecu
