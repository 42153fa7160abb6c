#include "app/closechecks.h"

#include <algorithm>

namespace qmx::app {

std::vector<std::uint8_t> editData(const config::EcuImage& image) {
    if (image.low() > image.high())
        return {};
    return {image.data() + image.low(), image.data() + image.high() + 1};
}

bool closeLosesUnsavedEdits(const Configuration& configuration) {
    return configuration.isOpen() && configuration.modified;
}

bool closeLosesEcuEdits(const config::EcuImage& image, const EcuSnapshot& snapshot) {
    if (!snapshot)
        return false;
    const std::vector<std::uint8_t> data = editData(image);
    return !std::equal(data.begin(), data.end(), snapshot->begin(), snapshot->end());
}

} // namespace qmx::app
