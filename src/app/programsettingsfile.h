#pragma once

#include "app/startupsettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qmx::platform {
class Profile;
class Registry;
} // namespace qmx::platform

// The program settings file qmx.INI: where it lies and what start-up reads from it.
namespace qmx::app {

struct CEctSettings;

// The folder searched for the settings file: the install directory (or, when that is
// empty, `programFolder`, the folder of the running program) + "/" + the initialise folder,
// with "\" read as "/" and the registry's texts read as UTF-8 (else Windows-1252).
std::string programSettingsFolder(const CEctSettings& registry, const std::string& programFolder);

// The full path of `programName` + ".INI" in the settings folder: the exact name first, then
// a name that differs only in case. Nothing when there is none; the caller then shows
// msg::ProgramSettingsMissing with the program's name.
std::optional<std::string> findProgramSettingsFile(const CEctSettings& registry,
                                                   const std::string& programFolder,
                                                   std::string_view programName);

// What start-up shows when the settings file is missing: msg::ProgramSettingsMissing with
// `programName`, then the folder searched and where it came from (the install directory and
// initialise folder of the registry file, or the program's folder when the registry file
// names no install directory or cannot be read), so that a Windows path left in an imported
// registry file shows at once.
std::string programSettingsMissingText(const platform::Registry& registry,
                                       const CEctSettings& values, const std::string& programFolder,
                                       std::string_view programName);

// Every start-up key of the settings file, with its default where a key is missing.
// `registryRetryCount` is the default of RS232C CommandRetrycount (the file wins).
StartupSettings readStartupSettings(const platform::Profile& file, std::int32_t registryRetryCount);

} // namespace qmx::app
