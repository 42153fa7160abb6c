#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What sysfs tells of the USB serial adapter behind a tty: who made it, which one it is, and the
// latency timer of its driver, which holds received bytes back before passing them on.
namespace qmx::platform {

// The first line of the sysfs attribute file `file`, trimmed; empty when it cannot be read.
std::string sysfsAttribute(const std::filesystem::path& file);

struct UsbIdentity {
    std::string vendorId;  // four hexadecimal digits, e.g. "0403"
    std::string productId; // e.g. "6001"
    std::string manufacturer;
    std::string product;
    std::string serial; // empty when the adapter has none
};

// The USB device above tty folder `ttyFolder` (a folder of /sys/class/tty); nothing for a tty
// that is not on USB or a folder that cannot be read.
std::optional<UsbIdentity> usbIdentity(const std::filesystem::path& ttyFolder);

// The name a person knows the adapter by: manufacturer and product (the product alone when it
// already starts with the manufacturer's name); empty when the adapter offers neither.
std::string usbDisplayName(const UsbIdentity& identity);

// The adapter driver's latency timer (ftdi_sio offers one; most other drivers have none).
struct LatencyTimer {
    std::filesystem::path file; // its latency_timer attribute
    int milliseconds = 0;
};

// The latency timer of the tty in `ttyFolder`; nothing when its driver has none.
std::optional<LatencyTimer> latencyTimer(const std::filesystem::path& ttyFolder);

// Writes `milliseconds` into the latency timer file `file`; false when it cannot be written
// (usually: only root may).
bool setLatencyTimer(const std::filesystem::path& file, int milliseconds);

} // namespace qmx::platform
