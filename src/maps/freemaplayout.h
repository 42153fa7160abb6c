#pragma once

#include <cstdint>
#include <optional>

#include "config/ecuimage.h"
#include "maps/map.h"

// The free-map area: maps stored one after another, each as a row count byte, a column count
// byte, the Z values, the X values (one row, or one per Z value) and the Y values row after
// row, all single bytes.
namespace qmx::maps {

struct FreeMapArea {
    std::uint16_t start = 0;
    std::uint16_t end = 0;
    std::uint16_t third = 0; // kept as read; no rule depends on it
    int size() const { return static_cast<int>(end) - static_cast<int>(start); }
};

// Where a free map whose block starts at `cursor` lies, with its counts read from the image.
struct FreeMapPlacement {
    int rows = 0;
    int columns = 0;
    std::uint16_t zAddress = 0;
    std::uint16_t xAddress = 0;
    std::uint16_t yAddress = 0;
    int cells = 0;          // rows × columns, never cut to 8 bits
    std::uint32_t next = 0; // the address after the last Y byte, where the next block starts
};

// The placement of a free map of `kind` at `cursor`; nothing when its counts or any of its
// values would lie past 0xFFFF.
std::optional<FreeMapPlacement> placeFreeMap(const config::EcuImage& image, std::uint32_t cursor,
                                             MapKind kind);

// Sets the counts and addresses of `map` from `placement`.
void applyPlacement(Map& map, const FreeMapPlacement& placement);

} // namespace qmx::maps
