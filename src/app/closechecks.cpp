#include "app/closechecks.h"

#include <algorithm>

namespace qmx::app {

bool closeLosesUnsavedEdits(const Configuration& configuration) {
    return configuration.isOpen() && configuration.modified;
}

bool closeLosesEcuEdits(const config::EcuImage& image, const EcuSnapshot& snapshot) {
    if (!snapshot)
        return false;
    const std::vector<std::uint8_t> data = config::editData(image);
    return !std::equal(data.begin(), data.end(), snapshot->begin(), snapshot->end());
}

} // namespace qmx::app
