#include "app/appsettings.h"

#include "app/linesettingtext.h"
#include "app/messages.h"
#include "app/programsettingsfile.h"
#include "platform/homefolder.h"
#include "platform/profile.h"

namespace qmx::app {

namespace {

constexpr const char* kPortValue = "Rs232cPort";

bool storePortInRegistry(AppSettings& settings, std::int32_t index) {
    settings.registryValues.rs232cPort = index;
    return settings.registry.setDword(kPortValue, static_cast<std::uint32_t>(index)) == 0;
}

} // namespace

StartupPlaces processStartupPlaces(const std::string& programName) {
    const std::string program = platform::executablePath();
    const std::size_t slash = program.rfind('/');
    return {platform::qmxHomeFolder(),
            slash == std::string::npos ? std::string(".") : program.substr(0, slash), programName};
}

int loadAppSettings(AppSettings& settings, const StartupPlaces& places, ScreenSize screen) {
    settings.registry.load(platform::registryPath(places.homeFolder));
    settings.registryValues.load(settings.registry, screen);
    const std::optional<std::string> path =
        findProgramSettingsFile(settings.registryValues, places.programFolder, places.programName);
    if (!path)
        return msg::ProgramSettingsMissing;
    settings.programSettingsPath = *path;
    settings.startup =
        readStartupSettings(platform::Profile(*path), settings.registryValues.commandRetrycount);
    currentPortIndex(settings);
    settings.commandLetters = CommandLetters{};
    return msg::Success;
}

std::string startFailureText(int status, const AppSettings& settings, const StartupPlaces& places) {
    if (status != msg::ProgramSettingsMissing)
        return std::string(messageText(status));
    return programSettingsMissingText(settings.registry, settings.registryValues,
                                      places.programFolder, places.programName);
}

std::int32_t currentPortIndex(AppSettings& settings) {
    if (settings.registryValues.rs232cPort != -1)
        return settings.registryValues.rs232cPort;
    const std::int32_t index = settings.startup.line.port;
    // A store that cannot be written costs nothing here: the file's index serves this run.
    if (index != -1)
        storePortInRegistry(settings, index);
    return index;
}

bool setPortIndex(AppSettings& settings, std::int32_t index) {
    bool stored = true;
    if (index != settings.startup.line.port) {
        const std::string name = portName(index);
        platform::Profile file(settings.programSettingsPath);
        stored = file.writeString("RS232C", "PORT", name);
        settings.startup.line.port = portIndexFromName(name);
    }
    if (index != settings.registryValues.rs232cPort)
        stored = storePortInRegistry(settings, index) && stored;
    return stored;
}

bool setAutoSelect(AppSettings& settings, bool on) {
    if (on == settings.registryValues.rs232cPortAutoSelect)
        return true;
    settings.registryValues.rs232cPortAutoSelect = on;
    return settings.registry.setDword("Rs232cPortAutoSelect", on ? 1 : 0) == 0;
}

} // namespace qmx::app
