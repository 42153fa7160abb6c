#include "app/configurationwriter.h"

#include "config/packedfile.h"
#include "config/plainfile.h"
#include "config/srecords.h"
#include "platform/fileio.h"
#include "text/messages.h"

namespace qmx::app {

std::optional<std::string> configurationFileBytes(const config::CLineList& lines,
                                                  FileLayout layout) {
    std::string bytes;
    if (layout == FileLayout::Plain)
        config::writePlainFile(lines, bytes);
    else if (config::writePackedFile(lines, bytes) != text::msg::Success)
        return std::nullopt;
    return bytes;
}

text::Status writeConfigurationFile(Configuration& configuration, const std::string& path,
                                    FileLayout layout) {
    configuration.maps.fixChecksum();
    config::regenerateDataSection(configuration.lines, configuration.image);
    const auto bytes = configurationFileBytes(configuration.lines, layout);
    if (!bytes)
        return text::msg::LineTooLong;
    if (platform::atomicWriteFile(path, *bytes) != platform::WriteStatus::Written)
        return text::msg::SaveError;
    configuration.modified = false;
    return text::msg::Success;
}

} // namespace qmx::app
