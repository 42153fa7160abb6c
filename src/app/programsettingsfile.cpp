#include "app/programsettingsfile.h"

#include "app/cectsettings.h"
#include "app/folderpath.h"
#include "app/linesettingtext.h"
#include "platform/comports.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/textencoding.h"
#include "platform/textlines.h"
#include "text/messages.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace qmx::app {

namespace {

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string programSettingsFolder(const CEctSettings& registry, const std::string& programFolder) {
    const std::string base =
        registry.installDirectory.empty()
            ? programFolder
            : folderFromSetting(platform::textAsUtf8(registry.installDirectory));
    return base + "/" + folderFromSetting(platform::textAsUtf8(registry.initializeFolder));
}

std::string programSettingsMissingText(const platform::Registry& registry,
                                       const CEctSettings& values, const std::string& programFolder,
                                       std::string_view programName) {
    using namespace text;
    const int origin = !registry.isOpen()                ? msg::SettingsFolderRegistryUnread
                       : values.installDirectory.empty() ? msg::SettingsFolderOfProgram
                                                         : msg::SettingsFolderOfRegistry;
    return messageText(msg::ProgramSettingsMissing, programName) + "\n" +
           messageText(msg::SettingsFolderSearched, programSettingsFolder(values, programFolder)) +
           "\n" + messageText(origin, registry.path());
}

std::optional<std::string> findProgramSettingsFile(const CEctSettings& registry,
                                                   const std::string& programFolder,
                                                   std::string_view programName) {
    const std::filesystem::path folder = programSettingsFolder(registry, programFolder);
    const std::string name = std::string(programName) + ".INI";
    if (isFile(folder / name))
        return (folder / name).string();

    // Names in a fixed order, so that several case variants always give the same choice.
    std::vector<std::filesystem::path> matches;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (platform::equalsIgnoreCase(entry.path().filename().string(), name) &&
            isFile(entry.path()))
            matches.push_back(entry.path());
    }
    if (matches.empty())
        return std::nullopt;
    return std::min_element(matches.begin(), matches.end())->string();
}

StartupSettings readStartupSettings(const platform::Profile& file,
                                    std::int32_t registryRetryCount) {
    StartupSettings s;
    s.message = file.readInt("RS232C", "MESSAGE", 0) != 0;
    s.undoSize = file.readInt("UNDO", "SIZE", 1024);
    s.line.baud = speedIndex(file.readString("RS232C", "SPEED", "4800"));
    s.line.data = dataIndex(file.readString("RS232C", "DATA", "8BIT"));
    s.line.parity = parityIndex(file.readString("RS232C", "PARITY", "NON"));
    s.line.stop = stopIndex(file.readString("RS232C", "STOP", "1BIT"));
    s.line.flow = flowIndex(file.readString("RS232C", "XFLLOW", "YES"));
    s.line.port = platform::portIndexFromName(file.readString("RS232C", "PORT", ""));
    s.timeout = file.readInt("RS232C", "TIMEOUT", 50);
    s.waitTime = file.readInt("RS232C", "WAITTIME", 100);
    s.retry = file.readInt("RS232C", "RETRY", 9);
    s.ecRetry = file.readInt("RS232C", "ECRETRY", 4);
    s.precision.x = text::clampDecimals(file.readInt("PRECISION", "X", 1));
    s.precision.y = text::clampDecimals(file.readInt("PRECISION", "Y", 1));
    s.precision.z = text::clampDecimals(file.readInt("PRECISION", "Z", 1));
    s.print.left = file.readInt("PRINT", "LEFT", 0);
    s.print.top = file.readInt("PRINT", "TOP", 0);
    s.print.right = file.readInt("PRINT", "RIGHT", 0);
    s.print.bottom = file.readInt("PRINT", "BOTTOM", 0);
    s.print.line = file.readInt("PRINT", "LINE", 0);
    s.initialFolder = folderFromSetting(file.readString("DIRECTORY", "PATH1", ""));
    s.commandRetryCount = file.readInt("RS232C", "CommandRetrycount", registryRetryCount);
    return s;
}

} // namespace qmx::app
