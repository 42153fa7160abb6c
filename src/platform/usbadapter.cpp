#include "platform/usbadapter.h"

#include <charconv>
#include <fstream>

namespace qmx::platform {

namespace fs = std::filesystem;

namespace {

// How far above a tty's device folder its USB device may sit (ttyUSB: port, interface, device).
constexpr int UsbSearchDepth = 4;

} // namespace

std::string sysfsAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<UsbIdentity> usbIdentity(const fs::path& ttyFolder) {
    std::error_code error;
    fs::path folder = fs::canonical(ttyFolder / "device", error);
    if (error)
        return std::nullopt;
    for (int level = 0; level < UsbSearchDepth && folder.has_relative_path(); ++level) {
        UsbIdentity identity{sysfsAttribute(folder / "idVendor"),
                             sysfsAttribute(folder / "idProduct"),
                             sysfsAttribute(folder / "manufacturer"),
                             sysfsAttribute(folder / "product"), sysfsAttribute(folder / "serial")};
        if (!identity.vendorId.empty() || !identity.product.empty() ||
            !identity.manufacturer.empty())
            return identity;
        folder = folder.parent_path();
    }
    return std::nullopt;
}

std::string usbDisplayName(const UsbIdentity& identity) {
    const std::string& product = identity.product;
    const std::string& manufacturer = identity.manufacturer;
    if (manufacturer.empty() || product.starts_with(manufacturer))
        return product;
    return product.empty() ? manufacturer : manufacturer + " " + product;
}

std::optional<LatencyTimer> latencyTimer(const fs::path& ttyFolder) {
    const fs::path file = ttyFolder / "device" / "latency_timer";
    const std::string text = sysfsAttribute(file);
    int milliseconds = 0;
    const auto [end, problem] =
        std::from_chars(text.data(), text.data() + text.size(), milliseconds);
    if (text.empty() || problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return LatencyTimer{file, milliseconds};
}

bool setLatencyTimer(const fs::path& file, int milliseconds) {
    std::ofstream out(file);
    out << milliseconds << '\n';
    out.flush();
    return static_cast<bool>(out);
}

} // namespace qmx::platform
