#include "platform/homefolder.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace qmx::platform {

std::optional<std::string> processEnvironment(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::string qmxHomeFolder(const EnvironmentLookup& environment) {
    const auto nonEmpty = [&](std::string_view name) {
        std::optional<std::string> value = environment(name);
        return value && !value->empty() ? value : std::nullopt;
    };
    if (std::optional<std::string> home = nonEmpty("QMX_HOME"))
        return *home;
    if (std::optional<std::string> config = nonEmpty("XDG_CONFIG_HOME"))
        return *config + "/qmx";
    std::optional<std::string> home = nonEmpty("HOME");
    if (!home) {
        const passwd* entry = ::getpwuid(::getuid());
        if (!entry || !entry->pw_dir || !*entry->pw_dir)
            return {};
        home = entry->pw_dir;
    }
    return *home + "/.config/qmx";
}

std::string registryPath(const std::string& homeFolder) {
    return homeFolder + "/registry.reg";
}

std::string executablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        return {};
    return std::string(buffer, static_cast<std::size_t>(length));
}

} // namespace qmx::platform
