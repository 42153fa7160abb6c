#pragma once

#include "platform/serialdevice.h"

#include <memory>
#include <string>

namespace qmx::ecu {

// The outcome of opening a port: a device, or the system error number that stopped the open
// and, where the system tells more, the user's account of it (whose permission is missing, which
// program holds the port).
struct PortOpenResult {
    std::unique_ptr<platform::SerialDevice> device;
    int error = 0;
    std::string problem;
};

// Opens the serial device behind a port index (index n names COM n+1). The desktop program and
// qmxctl map the index to a termios device; tests hand out scripted fakes.
class SerialPortFactory {
public:
    virtual ~SerialPortFactory() = default;
    // Opens port `portIndex` (0..255) exclusively with `line`; on failure the device is null and
    // `error` holds the system error number.
    virtual PortOpenResult open(int portIndex, const platform::LineSettings& line) = 0;
};

} // namespace qmx::ecu
