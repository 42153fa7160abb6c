#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/ecuimage.h"
#include "maps/freemaplayout.h"
#include "maps/map.h"
#include "text/messagesink.h"

namespace qmx::maps::test {

// An axis whose raw and physical values are equal, with display limits `min`..`max`.
inline MapAxis identityAxis(std::string name, std::string min = "0", std::string max = "255") {
    MapAxis axis;
    axis.name = std::move(name);
    axis.min = std::move(min);
    axis.max = std::move(max);
    axis.physicalExpr = "x";
    axis.rawExpr = "x";
    return axis;
}

// A free map whose block starts at `at`, with its count bytes written into `image`.
inline Map freeMap(config::EcuImage& image, std::uint16_t at, int rows, int columns,
                   MapKind kind = MapKind::Shared, std::string name = "MAP1") {
    image.setByte(at, static_cast<std::uint8_t>(rows));
    image.setByte(static_cast<std::uint16_t>(at + 1), static_cast<std::uint8_t>(columns));
    Map map;
    map.kind = kind;
    map.name = std::move(name);
    map.z = identityAxis("THROT");
    map.x = identityAxis("RPM");
    map.y = identityAxis("DATA");
    applyPlacement(map, *placeFreeMap(image, at, kind));
    return map;
}

// Writes `values` into consecutive bytes from `at`.
inline void putBytes(config::EcuImage& image, std::uint32_t at,
                     const std::vector<std::uint8_t>& values) {
    for (std::uint8_t value : values)
        image.setByte(static_cast<std::uint16_t>(at++), value);
}

// Remembers every message instead of showing it.
class RecordingSink : public text::MessageSink {
public:
    text::Answer show(std::string_view text, std::string_view caption, text::Icon icon,
                      text::Buttons) override {
        shown.push_back(std::string(caption) + "|" + std::string(text) + "|" +
                        std::to_string(static_cast<int>(icon)));
        return text::Answer::Ok;
    }
    std::vector<std::string> shown; // caption|text|icon
};

} // namespace qmx::maps::test
