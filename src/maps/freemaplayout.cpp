#include "maps/freemaplayout.h"

namespace qmx::maps {

std::optional<FreeMapPlacement> placeFreeMap(const config::EcuImage& image, std::uint32_t cursor,
                                             MapKind kind) {
    constexpr std::uint32_t lastAddress = 0xFFFF;
    if (cursor + 1 > lastAddress)
        return std::nullopt;
    FreeMapPlacement placement;
    placement.rows = image.byte(static_cast<std::uint16_t>(cursor));
    placement.columns = image.byte(static_cast<std::uint16_t>(cursor + 1));
    placement.cells = placement.rows * placement.columns;
    const int xValues = kind == MapKind::PerRowX ? placement.cells : placement.columns;
    const std::uint32_t z = cursor + 2;
    const std::uint32_t x = z + static_cast<std::uint32_t>(placement.rows);
    const std::uint32_t y = x + static_cast<std::uint32_t>(xValues);
    placement.next = y + static_cast<std::uint32_t>(placement.cells);
    if (y > lastAddress || placement.next > lastAddress + 1)
        return std::nullopt;
    placement.zAddress = static_cast<std::uint16_t>(z);
    placement.xAddress = static_cast<std::uint16_t>(x);
    placement.yAddress = static_cast<std::uint16_t>(y);
    return placement;
}

void applyPlacement(Map& map, const FreeMapPlacement& placement) {
    map.z.count = placement.rows;
    map.x.count = placement.columns;
    map.y.count = placement.cells;
    map.z.address = placement.zAddress;
    map.x.address = placement.xAddress;
    map.y.address = placement.yAddress;
}

} // namespace qmx::maps
