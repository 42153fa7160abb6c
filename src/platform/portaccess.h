#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Who may open a serial device and who holds it: what the system tells, for the messages that
// explain why a port did not open and for the port list.
namespace qmx::platform {

// The group that owns a device, and whether its members may read and write it.
struct DeviceGroup {
    std::string name; // the group's name, or its number when it has none
    bool membersMayUse = false;
};

// The group of `device` (links followed); nothing when it cannot be examined.
std::optional<DeviceGroup> deviceGroup(const std::filesystem::path& device);

// Whether this user may open `device` for reading and writing, as the kernel decides it.
bool mayOpen(const std::filesystem::path& device);

// A process that holds a device open.
struct PortHolder {
    pid_t pid = 0;
    std::string name; // the program's name as /proc gives it
};

// The other processes that hold `device` (links followed): the holder of an flock on it from
// `procRoot`/locks when there is one, else every process with a descriptor open on it. This
// process is left out; processes whose /proc entries cannot be read are missed. Empty when /proc
// tells nothing.
std::vector<PortHolder> portHolders(const std::filesystem::path& device,
                                    const std::filesystem::path& procRoot = "/proc");

} // namespace qmx::platform
