#include "app/configurationreader.h"

#include "app/messages.h"
#include "app/monitorselection.h"
#include "app/rs232csection.h"
#include "config/individualinfo.h"
#include "config/packedfile.h"
#include "config/plainfile.h"
#include "config/srecords.h"
#include "maps/mapsectionreader.h"
#include "platform/profile.h"

namespace qmx::app {

namespace {

// Reads the lines in `layout`; `packed` tells which reader succeeded.
int readLines(config::CLineList& lines, const std::string& path, FileLayout layout, OpenFor purpose,
              bool& packed) {
    const auto locked =
        purpose == OpenFor::Editing ? config::LockedFile::Refuse : config::LockedFile::Read;
    packed = layout != FileLayout::Plain;
    if (packed) {
        const int result = config::readPackedFile(path, lines, locked);
        if (result == msg::Success || layout == FileLayout::Packed)
            return result;
        lines.clear();
        packed = false;
    }
    return config::readPlainFile(path, lines, locked);
}

// Everything after the lines are in place; 0 or the first failure's message.
int interpret(Configuration& configuration, AppSettings& settings) {
    const config::CLineList& lines = configuration.lines;
    if (const int result = config::checkMachine(lines, settings.registryValues.machineFolder))
        return result;
    if (const int result =
            config::loadDataSection(lines, configuration.image, &configuration.damagedRecords))
        return result;
    if (const int result = maps::readMapSections(lines, configuration.maps))
        return result;

    // Each open starts from the start-up values, so no file's settings leak into the next.
    configuration.line = settings.startup.line;
    configuration.line.port = currentPortIndex(settings);
    configuration.commandRetryCount = settings.startup.commandRetryCount;
    applyRs232cSection(lines, configuration.line, configuration.commandRetryCount);

    configuration.monitorItems = config::readDiagComSection(lines);
    configuration.monitorRows =
        readMonitorSelection(platform::Profile(settings.programSettingsPath),
                             configuration.monitorItems)
            .value_or(initialMonitorRows(configuration.monitorItems));

    if (auto code = config::readMachineCode(lines))
        configuration.machineCode = std::move(*code);
    return msg::Success;
}

} // namespace

int readConfiguration(Configuration& configuration, AppSettings& settings, const std::string& path,
                      FileLayout layout, OpenFor purpose) {
    configuration.clear();
    bool packed = false;
    int result = readLines(configuration.lines, path, layout, purpose, packed);
    if (result == msg::Success)
        result = interpret(configuration, settings);
    if (result != msg::Success) {
        configuration.clear();
        return result;
    }
    configuration.setFile(path);
    configuration.loadedFromPacked = packed;
    configuration.modified = false;
    return msg::Success;
}

bool isErrorIconMessage(int message) {
    switch (message) {
    case msg::DataSectionNotFound:
    case msg::DataSectionDataNotFound:
    case msg::SFormatError:
    case msg::WrongWordInData:
    case msg::MapSectionNotFound:
    case msg::FreeMapFormatError:
    case msg::MapAddressWrong:
    case msg::ConfigMapFormatError:
        return true;
    default:
        return false;
    }
}

} // namespace qmx::app
