#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>

// A serial line, one byte at a time. The termios device implements it for real ports; tests
// script a fake. Every wait is bounded by the caller's time-out and never spins.
namespace qmx::platform {

enum class Parity { None = 0, Odd = 1, Even = 2 };
enum class StopBits { One = 0, OneAndHalf = 1, Two = 2 };

struct LineSettings {
    int baudRate = 4800; // 600, 1200, 2400, 4800, 9600 or 19200
    int dataBits = 8;    // 7 or 8
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool xonXoff = true; // software flow control in both directions
    bool ctsOutputFlow = true;
};

enum class ReadResult {
    Byte,    // one byte arrived
    Timeout, // nothing arrived within the time-out; not an error
    Error,   // the device failed (unplugged, closed)
};

// Whether system error `error` of a failed read or write means that the device is gone (the
// cable or the adapter was pulled, the peer hung up): nothing will pass through it again.
inline bool isHangUpError(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Sends one byte, waiting at most `timeout` for room in the output; false when it could
    // not go out in time or the device failed.
    virtual bool write(std::uint8_t byte, std::chrono::milliseconds timeout) = 0;
    // Waits at most `timeout` for one byte.
    virtual ReadResult read(std::uint8_t& byte, std::chrono::milliseconds timeout) = 0;
    // Clears a pending line error (overrun, framing, parity) without discarding data.
    virtual void clearLineErrors() = 0;
    // The last system error number seen by this device (0 when none), for the log; a hang-up
    // reads as EIO, ENXIO or ENODEV (isHangUpError).
    virtual int lastError() const = 0;
};

} // namespace qmx::platform
