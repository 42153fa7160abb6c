#pragma once

#include "platform/usbadapter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The serial ports present on this machine, as the port search and the Com Port dialog list them.
namespace qmx::platform {

// Where the kernel lists its terminal devices.
inline const std::filesystem::path SysfsTtyRoot = "/sys/class/tty";

// What a port list shows of a port beside its name, so that two adapters can be told apart.
struct PortDetails {
    bool mayOpen = true;            // this user may open the device for reading and writing
    std::optional<UsbIdentity> usb; // the USB adapter behind it, where there is one
};

struct PortEntry {
    int portIndex = 0;            // port number - 1
    std::filesystem::path device; // what serialDevicePath() opens for this index
    std::string displayName;      // USB manufacturer and product where known, else the device
    PortDetails details{};
};

// The present ports, sorted by port index, one entry per index: ttyS devices bound to a driver
// (and not of the unknown UART type), ttyUSB and ttyACM devices, all from `sysfsTtyRoot`, and the
// links `ports/COMn` of the home folder whose target exists. A link takes the place of the
// device its COM number would otherwise name. A missing or unreadable folder yields no entries.
std::vector<PortEntry> enumeratePorts(const std::filesystem::path& sysfsTtyRoot,
                                      const std::filesystem::path& homeFolder);

} // namespace qmx::platform
