#include "ecu/monitorselection.h"

#include <algorithm>
#include <string>

#include "platform/profile.h"

namespace qmx::ecu {

std::vector<int> initialMonitorRows(const std::vector<config::MonitorItem>& items) {
    std::vector<int> rows;
    for (std::size_t i = 0; i < std::min(items.size(), config::kMaxMonitorRows); ++i)
        rows.push_back(static_cast<int>(i));
    return rows;
}

std::optional<std::vector<int>>
readMonitorSelection(const platform::Profile& file, const std::vector<config::MonitorItem>& items) {
    std::vector<int> rows;
    for (std::size_t row = 0; row < config::kMaxMonitorRows; ++row) {
        const std::string name = file.readString("DIAGSELECT", "SELECT" + std::to_string(row), "");
        if (name.empty())
            break;
        const auto item =
            std::find_if(items.begin(), items.end(),
                         [&](const config::MonitorItem& i) { return i.name == name; });
        if (item == items.end())
            return std::nullopt;
        rows.push_back(static_cast<int>(item - items.begin()));
    }
    if (rows.empty())
        return std::nullopt;
    return rows;
}

} // namespace qmx::ecu
