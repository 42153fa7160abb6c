#include "platform/portenumeration.h"

#include "platform/comports.h"

#include <fstream>
#include <map>

namespace qmx::platform {

namespace fs = std::filesystem;

namespace {

// How far above a tty's device folder its USB device may sit (ttyUSB: port, interface, device).
constexpr int UsbSearchDepth = 4;

// The first line of a sysfs attribute, trimmed; empty when it cannot be read.
std::string attribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

// "manufacturer product" from the nearest USB device above `deviceFolder`, or empty.
std::string usbName(const fs::path& deviceFolder) {
    std::error_code error;
    fs::path folder = fs::canonical(deviceFolder, error);
    if (error)
        return {};
    for (int level = 0; level < UsbSearchDepth && folder.has_relative_path(); ++level) {
        const std::string product = attribute(folder / "product");
        const std::string manufacturer = attribute(folder / "manufacturer");
        if (!product.empty() || !manufacturer.empty()) {
            if (manufacturer.empty() || product.starts_with(manufacturer))
                return product;
            return product.empty() ? manufacturer : manufacturer + " " + product;
        }
        folder = folder.parent_path();
    }
    return {};
}

// Whether the tty names a device that is really there. The 8250 driver registers every
// possible ttyS; only those bound to a driver with a known UART type exist.
bool isPresent(const fs::path& ttyFolder, const std::string& name) {
    std::error_code error;
    const fs::path device = ttyFolder / "device";
    if (!fs::exists(device, error))
        return false;
    if (!name.starts_with("ttyS"))
        return true;
    if (!fs::exists(device / "driver", error))
        return false;
    const std::string type = attribute(ttyFolder / "type");
    return type != "0";
}

std::string displayName(const fs::path& ttyFolder, const std::string& name) {
    const std::string usb = usbName(ttyFolder / "device");
    return usb.empty() ? name : usb + " (" + name + ")";
}

} // namespace

std::vector<PortEntry> enumeratePorts(const fs::path& sysfsTtyRoot, const fs::path& homeFolder) {
    std::map<int, PortEntry> byIndex;
    std::map<std::string, std::string> namesOfDevices;
    std::error_code error;
    for (fs::directory_iterator it(sysfsTtyRoot, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const auto index = portIndexOfDeviceName(name);
        if (!index || !isPresent(it->path(), name))
            continue;
        PortEntry entry{*index, fs::path("/dev") / name, displayName(it->path(), name)};
        namesOfDevices[entry.device.string()] = entry.displayName;
        byIndex[*index] = std::move(entry);
    }

    error.clear();
    for (fs::directory_iterator it(homeFolder / "ports", error), end; !error && it != end;
         it.increment(error)) {
        const auto index = portIndexOfComName(it->path().filename().string());
        std::error_code targetError;
        const fs::path target = fs::canonical(it->path(), targetError);
        if (!index || targetError)
            continue;
        // A link to a listed device keeps that device's name; any other shows its target.
        const auto known = namesOfDevices.find(target.string());
        byIndex[*index] = PortEntry{
            *index, it->path(), known != namesOfDevices.end() ? known->second : target.string()};
    }

    std::vector<PortEntry> entries;
    entries.reserve(byIndex.size());
    for (auto& [index, entry] : byIndex)
        entries.push_back(std::move(entry));
    return entries;
}

} // namespace qmx::platform
