#pragma once

#include <optional>
#include <vector>

#include "config/diagcom.h"

namespace qmx::platform {
class Profile;
}

// The rows of the Monitor window: up to 15 indexes of monitor items, in row order.
namespace qmx::ecu {

// The rows a configuration starts with: its first 15 items (or all of them).
std::vector<int> initialMonitorRows(const std::vector<config::MonitorItem>& items);

// The rows stored in section DIAGSELECT of the settings file: the item names of keys SELECT0,
// SELECT1, ... read up to the first empty or missing key (at most 15). Nothing when no name
// was read or one of them names no item; the initial rows then stay.
std::optional<std::vector<int>> readMonitorSelection(const platform::Profile& file,
                                                     const std::vector<config::MonitorItem>& items);

} // namespace qmx::ecu
