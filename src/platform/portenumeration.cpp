#include "platform/portenumeration.h"

#include "platform/comports.h"
#include "platform/portaccess.h"

#include <fstream>
#include <map>
#include <optional>

namespace qmx::platform {

namespace fs = std::filesystem;

namespace {

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
    const std::string type = sysfsAttribute(ttyFolder / "type");
    return type != "0";
}

std::string displayName(const std::optional<UsbIdentity>& usb, const std::string& name) {
    const std::string known = usb ? usbDisplayName(*usb) : std::string();
    return known.empty() ? name : known + " (" + name + ")";
}

} // namespace

std::vector<PortEntry> enumeratePorts(const fs::path& sysfsTtyRoot, const fs::path& homeFolder) {
    std::map<int, PortEntry> byIndex;
    std::map<std::string, PortEntry> knownDevices;
    std::error_code error;
    for (fs::directory_iterator it(sysfsTtyRoot, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const auto index = portIndexOfDeviceName(name);
        if (!index || !isPresent(it->path(), name))
            continue;
        std::optional<UsbIdentity> usb = usbIdentity(it->path());
        const fs::path device = fs::path("/dev") / name;
        PortEntry entry{*index, device, displayName(usb, name), {mayOpen(device), std::move(usb)}};
        knownDevices[entry.device.string()] = entry;
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
        // A link to a listed device keeps that device's name and details; any other shows its
        // target.
        const auto known = knownDevices.find(target.string());
        if (known != knownDevices.end())
            byIndex[*index] =
                PortEntry{*index, it->path(), known->second.displayName, known->second.details};
        else
            byIndex[*index] = PortEntry{*index, it->path(), target.string(), {mayOpen(target), {}}};
    }

    std::vector<PortEntry> entries;
    entries.reserve(byIndex.size());
    for (auto& [index, entry] : byIndex)
        entries.push_back(std::move(entry));
    return entries;
}

} // namespace qmx::platform
