#pragma once

#include "platform/portenumeration.h"

#include <string>
#include <vector>

namespace qmx::ecu {

// One serial device as the system reports it.
struct PortInfo {
    std::string portName;            // "COM3": the device's COM name (others are not listed)
    std::string displayName;         // for the Com Port dialog, e.g. the USB product string
    std::string deviceText;          // the device path, written into the log
    bool portsClass = true;          // a serial port proper, preferred when two claim one COM name
    platform::PortDetails details{}; // whether this user may open it, the USB adapter behind it
};

// Enumerates the serial devices present, in any order, duplicates included.
class PortLister {
public:
    virtual ~PortLister() = default;
    // The present devices; empty when the enumeration fails.
    virtual std::vector<PortInfo> enumerate() = 0;
};

} // namespace qmx::ecu
