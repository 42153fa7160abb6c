#include "app/configurationwriter.h"

#include <sstream>

#include "app/messages.h"
#include "config/packedfile.h"
#include "config/plainfile.h"
#include "config/srecords.h"
#include "platform/fileio.h"

namespace qmx::app {

std::optional<std::string> configurationFileBytes(const config::CLineList& lines,
                                                  FileLayout layout) {
    std::ostringstream out;
    if (layout == FileLayout::Plain)
        config::writePlainFile(lines, out);
    else if (config::writePackedFile(lines, out) != msg::Success)
        return std::nullopt;
    return std::move(out).str();
}

int writeConfigurationFile(Configuration& configuration, const std::string& path,
                           FileLayout layout) {
    // The checksum byte may be a count byte of the free-map area: the maps then follow it,
    // as they will when the saved file is opened again.
    if (config::fixImageChecksum(configuration.image)) {
        configuration.modified = true;
        configuration.maps.relayoutFreeMaps();
    }
    config::regenerateDataSection(configuration.lines, configuration.image);
    const auto bytes = configurationFileBytes(configuration.lines, layout);
    if (!bytes || platform::atomicWriteFile(path, *bytes) != platform::WriteStatus::Written)
        return msg::SaveError;
    configuration.modified = false;
    return msg::Success;
}

} // namespace qmx::app
