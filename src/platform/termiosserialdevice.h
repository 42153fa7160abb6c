#pragma once

#include "platform/serialdevice.h"

#include <string>
#include <termios.h>

namespace qmx::platform {

// What an open could not set exactly as asked, for the communication log.
struct OpenNotes {
    bool stopBitsRounded = false;    // 1.5 stop bits asked; the line runs with 2
    bool ctsFlowUnavailable = false; // the device refused CTS output flow
    bool framingUnavailable = false; // the device kept 8 data bits without parity (a pty does)
    // The driver's low-latency mode, which passes each received byte on at once: 0 when it is on
    // (set by this open, or already), else the errno of the request (a pseudo-terminal has no
    // such mode and refuses it).
    int lowLatencyError = 0;
    bool lowLatencyWasOn = false;
};

// A serial device behind a POSIX terminal: opened exclusively, in raw mode, one byte at a time.
// Every wait happens in poll() with the caller's time-out.
class TermiosSerialDevice final : public SerialDevice {
public:
    TermiosSerialDevice() = default;
    TermiosSerialDevice(const TermiosSerialDevice&) = delete;
    TermiosSerialDevice& operator=(const TermiosSerialDevice&) = delete;
    ~TermiosSerialDevice() override;

    // Opens the terminal at `path` for exclusive use (TIOCEXCL and an flock), applies `settings`
    // in raw mode and asks the driver for low latency (notes() says how that went). Returns 0 or
    // the errno of the step that failed (EINVAL for a speed or data size the device cannot take,
    // EWOULDBLOCK when another opener holds it); on failure nothing stays open. An open device is
    // closed first.
    [[nodiscard]] int open(const std::string& path, const LineSettings& settings);
    // Restores the terminal settings and the latency mode found at open and releases the
    // device; output held back by flow control is discarded after a short while. Harmless when
    // closed.
    void close();
    bool isOpen() const { return m_fd >= 0; }
    // Valid after a successful open.
    const OpenNotes& notes() const { return m_notes; }

    bool write(std::uint8_t byte, std::chrono::milliseconds timeout) override;
    ReadResult read(std::uint8_t& byte, std::chrono::milliseconds timeout) override;
    void clearLineErrors() override;
    int lastError() const override { return m_lastError; }

private:
    using Clock = std::chrono::steady_clock;

    // Waits until `events` are ready or `deadline` passes; returns 1 when ready, 0 on time-out,
    // -1 when the device failed or hung up (m_lastError set). Retries interrupted waits.
    int waitFor(short events, Clock::time_point deadline);

    int m_fd = -1;
    termios m_saved{};
    bool m_lowLatencySet = false; // this open switched low latency on; close switches it off
    OpenNotes m_notes;
    int m_lastError = 0;
};

} // namespace qmx::platform
