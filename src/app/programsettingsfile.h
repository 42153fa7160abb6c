#pragma once

#include "app/startupsettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qmx::platform {
class Profile;
}

// The program settings file qmx.INI: where it lies and what start-up reads from it.
namespace qmx::app {

struct CEctSettings;

// The folder searched for the settings file: the install directory (or, when that is
// empty, `programFolder`, the folder of the running program) + "/" + the initialise folder,
// with "\" read as "/".
std::string programSettingsFolder(const CEctSettings& registry, const std::string& programFolder);

// The full path of `programName` + ".INI" in the settings folder: the exact name first, then
// a name that differs only in case. Nothing when there is none; the caller then shows
// msg::ProgramSettingsMissing with the program's name.
std::optional<std::string> findProgramSettingsFile(const CEctSettings& registry,
                                                   const std::string& programFolder,
                                                   std::string_view programName);

// Every start-up key of the settings file, with its default where a key is missing.
// `registryRetryCount` is the default of RS232C CommandRetrycount (the file wins).
StartupSettings readStartupSettings(const platform::Profile& file, std::int32_t registryRetryCount);

} // namespace qmx::app
