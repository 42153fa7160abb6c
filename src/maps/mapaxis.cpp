#include "maps/mapaxis.h"

#include <algorithm>

#include "config/linerules.h"

namespace qmx::maps {

std::string MapAxis::label(int n) const {
    if (n < 0)
        return {};
    const std::vector<std::string> fields =
        config::commaFields(labels, static_cast<std::size_t>(n) + 2);
    return static_cast<std::size_t>(n) < fields.size() ? fields[static_cast<std::size_t>(n)]
                                                       : std::string{};
}

int MapAxis::labelCount() const {
    return static_cast<int>(std::count(labels.begin(), labels.end(), ',')) + 1;
}

} // namespace qmx::maps
