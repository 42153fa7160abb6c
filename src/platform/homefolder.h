#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The QMX home folder: where the registry file and the port links live.
namespace qmx::platform {

// Looks up an environment variable; nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The process environment.
std::optional<std::string> processEnvironment(std::string_view name);

// $QMX_HOME when set, else $XDG_CONFIG_HOME/qmx, else $HOME/.config/qmx (the password
// database's home folder when HOME is unset). Empty values count as unset. Empty when no
// home folder can be found at all.
std::string qmxHomeFolder(const EnvironmentLookup& environment = processEnvironment);

// The registry file inside `homeFolder`.
std::string registryPath(const std::string& homeFolder);

// The full path of the running program; empty when it cannot be found.
std::string executablePath();

} // namespace qmx::platform
