#pragma once

#include "platform/serialdevice.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

namespace qmx::ecu {

class CommoLog;

// The open serial device and the communication log that every byte passes through: one log line
// per read and per write, with the system error of that operation. Knows nothing of the protocol
// and nothing of the tick; the countdown column is the caller's.
class LoggedPort {
public:
    // `log` must outlive the port.
    explicit LoggedPort(CommoLog& log) : m_log(log) {}

    // Takes `device` as the open port, reading and writing one byte within `byteTimeout`.
    void attach(std::unique_ptr<platform::SerialDevice> device,
                std::chrono::milliseconds byteTimeout);
    // Closes the device (its close drains with a deadline, then discards); harmless when none.
    void release() { m_device.reset(); }
    bool isOpen() const { return m_device != nullptr; }

    // Reads one byte into `buffer`, which is first replaced by its complement so that a read that
    // brings nothing never leaves a stale byte; `moved` is 0 or 1. Logs one line with `ticks` in
    // the countdown column. False when the device failed or none is open; a time-out is success
    // with 0 bytes.
    [[nodiscard]] bool read(std::uint8_t& buffer, int& moved, unsigned ticks,
                            std::string_view label);
    // Writes one byte; `moved` is 0 or 1. Logs one line. False when it could not go out.
    [[nodiscard]] bool write(std::uint8_t byte, int& moved, unsigned ticks, std::string_view label);
    // Clears a pending line error of the open device.
    void clearLineErrors();
    // Writes an event line with the system error of the last operation.
    void logEvent(std::uint8_t byte, int count, int timeoutColumn, std::string_view text);

    // The system error of the last operation or failed open (0 when none).
    int systemError() const { return m_systemError; }
    void setSystemError(int error) { m_systemError = error; }
    // The last read or write failed because the device is gone.
    bool hungUp() const { return m_device && platform::isHangUpError(m_systemError); }

private:
    CommoLog& m_log;
    std::unique_ptr<platform::SerialDevice> m_device;
    std::chrono::milliseconds m_byteTimeout{0};
    int m_systemError = 0;
};

} // namespace qmx::ecu
