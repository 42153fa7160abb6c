#include "config/diagcom.h"

#include "config/linerules.h"

namespace qmx::config {

std::vector<MonitorItem> readDiagComSection(const CLineList& lines) {
    std::vector<MonitorItem> items;
    for (std::size_t index : sectionContent(lines, "Diag.Com")) {
        // The seventh field runs to the end of the line, commas included.
        const std::vector<std::string> fields = commaFields(lines.textAt(index), 7);
        if (fields.size() < 7)
            continue;
        bool anyEmpty = false;
        for (const std::string& field : fields)
            anyEmpty = anyEmpty || field.empty();
        if (anyEmpty)
            continue;
        const auto request = parseHex(fields[1]);
        const auto length = parseHex(fields[4]);
        if (!request || *request > 0xFF || !length || (*length != 1 && *length != 2))
            continue;
        items.push_back(MonitorItem{static_cast<std::uint8_t>(*request), static_cast<int>(*length),
                                    fields[2], fields[3], fields[5], fields[6]});
    }
    return items;
}

} // namespace qmx::config
