#include "config/diagcom.h"

#include "config/linerules.h"

namespace qmx::config {

std::vector<MonitorItem> readDiagComSection(const CLineList& lines) {
    std::vector<MonitorItem> items;
    for (std::size_t index : sectionContent(lines, "Diag.Com")) {
        const std::vector<std::string> fields = commaFields(lines.textAt(index));
        if (fields.size() < 7)
            continue;
        // The seventh field runs to the end of the line, commas included.
        std::string offset = fields[6];
        for (std::size_t i = 7; i < fields.size(); ++i)
            offset += "," + fields[i];
        bool anyEmpty = offset.empty();
        for (std::size_t i = 0; i < 6; ++i)
            anyEmpty = anyEmpty || fields[i].empty();
        if (anyEmpty)
            continue;
        const auto request = parseHex(fields[1]);
        const auto length = parseHex(fields[4]);
        if (!request || *request > 0xFF || !length || (*length != 1 && *length != 2))
            continue;
        items.push_back(MonitorItem{static_cast<std::uint8_t>(*request), static_cast<int>(*length),
                                    fields[2], fields[3], fields[5], offset});
    }
    return items;
}

} // namespace qmx::config
