#pragma once

#include "ecu/transfercontext.h"

#include "config/ecuimage.h"
#include "config/linelist.h"
#include "maps/mapset.h"

#include <optional>
#include <string>
#include <vector>

namespace qmx::ecu::test {

// An open configuration over the data range `low` .. `high`, as the transfers and the compare
// see it; counts the times it is marked modified.
struct DocumentRig {
    DocumentRig(std::uint16_t low, std::uint16_t high) {
        image.setRange(low, high);
        maps.setModifiedHandler([this] { ++modifiedMarks; });
    }
    EcuDocument document() { return {lines, maps, formats, path, machineFolder, snapshot}; }
    // The image bytes low .. high.
    std::vector<std::uint8_t> imageBytes() const {
        return {image.data() + image.low(), image.data() + image.high() + 1};
    }

    config::EcuImage image;
    maps::MapSet maps{image};
    config::CLineList lines;
    text::NumberFormats formats;
    std::string path = "/cal/car.rcz";
    std::string machineFolder;
    std::optional<std::vector<std::uint8_t>> snapshot;
    int modifiedMarks = 0;
};

} // namespace qmx::ecu::test
