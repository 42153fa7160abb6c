#include "ecu/portproblem.h"

#include "platform/portaccess.h"
#include "text/messages.h"

#include <cerrno>

namespace qmx::ecu {

namespace {

std::string permissionText(const std::string& device, const std::filesystem::path& path) {
    std::string text = text::messageText(text::msg::PortAccessDenied, device);
    const std::optional<platform::DeviceGroup> group = platform::deviceGroup(path);
    if (group && group->membersMayUse)
        text += "\n" + text::messageText(text::msg::PortGroupFix, {group->name, group->name});
    return text;
}

std::string inUseText(const std::string& device, const std::filesystem::path& path,
                      const std::filesystem::path& procRoot) {
    std::string holders;
    for (const platform::PortHolder& holder : platform::portHolders(path, procRoot)) {
        if (!holders.empty())
            holders += ", ";
        holders += holder.name + " (" + std::to_string(holder.pid) + ")";
    }
    if (holders.empty())
        return text::messageText(text::msg::PortInUse, device);
    return text::messageText(text::msg::PortInUseBy, {device, holders});
}

} // namespace

std::string openProblemText(const std::filesystem::path& device, int error,
                            const std::filesystem::path& procRoot) {
    std::error_code ignored;
    const std::filesystem::path target = std::filesystem::canonical(device, ignored);
    const std::filesystem::path& path = target.empty() ? device : target;
    switch (error) {
    case EACCES:
    case EPERM:
        return permissionText(path.string(), path);
    case EBUSY:
    case EWOULDBLOCK:
        return inUseText(path.string(), path, procRoot);
    default:
        return {};
    }
}

} // namespace qmx::ecu
