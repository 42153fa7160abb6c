#include "app/configurationreader.h"

#include "app/appportindexstore.h"
#include "app/rs232csection.h"
#include "config/individualinfo.h"
#include "config/packedfile.h"
#include "config/plainfile.h"
#include "config/srecords.h"
#include "ecu/monitorselection.h"
#include "ecu/portindexstore.h"
#include "maps/mapsectionreader.h"
#include "platform/profile.h"
#include "text/messages.h"

namespace qmx::app {

namespace {

// Reads the lines in `layout`; `packed` tells which reader succeeded.
text::Status readLines(config::CLineList& lines, const std::string& path, FileLayout layout,
                       OpenFor purpose, bool& packed) {
    const auto locked =
        purpose == OpenFor::Editing ? config::LockedFile::Refuse : config::LockedFile::Read;
    packed = layout != FileLayout::Plain;
    if (packed) {
        const text::Status result = config::readPackedFile(path, lines, locked);
        if (result == text::msg::Success || layout == FileLayout::Packed)
            return result;
        lines.clear();
        packed = false;
    }
    return config::readPlainFile(path, lines, locked);
}

// Everything after the lines are in place; 0 or the first failure's message.
text::Status interpret(Configuration& configuration, AppSettings& settings) {
    const config::CLineList& lines = configuration.lines;
    if (const text::Status result =
            config::checkMachine(lines, settings.registryValues.machineFolder))
        return result;
    if (const text::Status result =
            config::loadDataSection(lines, configuration.image, &configuration.damagedRecords))
        return result;
    if (const text::Status result = maps::readMapSections(lines, configuration.maps))
        return result;

    // Each open starts from the start-up values, so no file's settings leak into the next.
    configuration.line = settings.startup.line;
    AppPortIndexStore ports(settings);
    configuration.line.port = ecu::currentPortIndex(ports);
    configuration.commandRetryCount = settings.startup.commandRetryCount;
    applyRs232cSection(lines, configuration.line, configuration.commandRetryCount);

    configuration.monitorItems = config::readDiagComSection(lines);
    configuration.monitorRows =
        ecu::readMonitorSelection(platform::Profile(settings.programSettingsPath),
                                  configuration.monitorItems)
            .value_or(ecu::initialMonitorRows(configuration.monitorItems));

    if (auto code = config::readMachineCode(lines))
        configuration.machineCode = std::move(*code);
    return text::msg::Success;
}

} // namespace

text::Status readConfiguration(Configuration& configuration, AppSettings& settings,
                               const std::string& path, FileLayout layout, OpenFor purpose) {
    configuration.clear();
    bool packed = false;
    text::Status result = readLines(configuration.lines, path, layout, purpose, packed);
    if (result == text::msg::Success)
        result = interpret(configuration, settings);
    if (result != text::msg::Success) {
        configuration.clear();
        return result;
    }
    configuration.setFile(path);
    configuration.loadedFromPacked = packed;
    configuration.modified = false;
    return text::msg::Success;
}

bool isErrorIconMessage(text::Status failure) {
    switch (failure.message()) {
    case text::msg::DataSectionNotFound:
    case text::msg::DataSectionDataNotFound:
    case text::msg::SFormatError:
    case text::msg::WrongWordInData:
    case text::msg::MapSectionNotFound:
    case text::msg::FreeMapFormatError:
    case text::msg::MapAddressWrong:
    case text::msg::ConfigMapFormatError:
        return true;
    default:
        return false;
    }
}

} // namespace qmx::app
