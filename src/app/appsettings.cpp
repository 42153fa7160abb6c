#include "app/appsettings.h"

#include "app/appportindexstore.h"
#include "app/programsettingsfile.h"
#include "platform/homefolder.h"
#include "platform/profile.h"
#include "text/messages.h"

namespace qmx::app {

StartupPlaces processStartupPlaces(const std::string& programName) {
    const std::string program = platform::executablePath();
    const std::size_t slash = program.rfind('/');
    return {platform::qmxHomeFolder(),
            slash == std::string::npos ? std::string(".") : program.substr(0, slash), programName};
}

text::Status loadAppSettings(AppSettings& settings, const StartupPlaces& places,
                             ScreenSize screen) {
    settings.registry.load(platform::registryPath(places.homeFolder));
    settings.registryValues.load(settings.registry, screen);
    const std::optional<std::string> path =
        findProgramSettingsFile(settings.registryValues, places.programFolder, places.programName);
    if (!path)
        return text::msg::ProgramSettingsMissing;
    settings.programSettingsPath = *path;
    settings.startup =
        readStartupSettings(platform::Profile(*path), settings.registryValues.commandRetrycount);
    // The rule copies a port of qmx.INI into a registry that names none.
    AppPortIndexStore ports(settings);
    ecu::currentPortIndex(ports);
    settings.commandLetters = CommandLetters{};
    return text::msg::Success;
}

std::string startFailureText(text::Status status, const AppSettings& settings,
                             const StartupPlaces& places) {
    if (status != text::msg::ProgramSettingsMissing)
        return std::string(text::messageText(status));
    return programSettingsMissingText(settings.registry, settings.registryValues,
                                      places.programFolder, places.programName);
}

} // namespace qmx::app
