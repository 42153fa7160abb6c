#include "maps/hexmaprange.h"

#include <algorithm>

namespace qmx::maps {

namespace {

// The counts of a free-map block, each at least 0.
struct BlockCounts {
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    std::uint32_t xBytes = 0;
    std::uint32_t cells = 0;
};

BlockCounts blockCounts(const Map& map) {
    BlockCounts counts;
    counts.rows = static_cast<std::uint32_t>(std::max(map.rows(), 0));
    counts.columns = static_cast<std::uint32_t>(std::max(map.columns(), 0));
    counts.xBytes = counts.columns * (map.hasXRowPerZ() ? counts.rows : 1);
    counts.cells = counts.rows * counts.columns;
    return counts;
}

// `address` lies in the `count` bytes from `start`; its offset there.
std::optional<std::uint32_t> offsetIn(std::uint32_t address, std::uint32_t start,
                                      std::uint32_t count) {
    if (address < start || address - start >= count)
        return std::nullopt;
    return address - start;
}

EditPosition yPosition(const BlockCounts& counts, std::uint32_t offset) {
    return {EditTarget::Y, static_cast<int>(offset / counts.columns),
            static_cast<int>(offset % counts.columns)};
}

} // namespace

bool isFreeMapBlock(const Map& map) {
    return map.kind == MapKind::Shared || map.kind == MapKind::PerRowX;
}

HexMapRange hexMapRange(const Map& map) {
    const BlockCounts counts = blockCounts(map);
    HexMapRange range;
    if (isFreeMapBlock(map)) {
        const std::uint32_t values = counts.rows + counts.xBytes + counts.cells;
        range.firstSelectable = map.z.address;
        range.first = map.z.address >= 2 ? map.z.address - 2 : 0;
        range.last = map.z.address + values - 1;
        range.empty = values == 0;
        return range;
    }
    range.first = map.y.address;
    range.firstSelectable = map.y.address;
    range.last = map.y.address + counts.cells - 1;
    range.empty = counts.cells == 0;
    return range;
}

std::optional<EditPosition> positionAtAddress(const Map& map, std::uint32_t address) {
    const BlockCounts counts = blockCounts(map);
    if (const auto y = offsetIn(address, map.y.address, counts.cells))
        return yPosition(counts, *y);
    if (!isFreeMapBlock(map))
        return std::nullopt;
    if (const auto z = offsetIn(address, map.z.address, counts.rows))
        return EditPosition{EditTarget::Z, static_cast<int>(*z), static_cast<int>(*z)};
    if (const auto x = offsetIn(address, map.x.address, counts.xBytes)) {
        if (map.hasXRowPerZ())
            return EditPosition{EditTarget::X, static_cast<int>(*x / counts.columns),
                                static_cast<int>(*x % counts.columns)};
        const int line = std::clamp(map.editRow, 0, std::max(map.rows() - 1, 0));
        return EditPosition{EditTarget::X, line, static_cast<int>(*x)};
    }
    return std::nullopt;
}

std::optional<std::uint32_t> addressOfPosition(const Map& map, const EditPosition& at) {
    const bool rowOk = at.row >= 0 && at.row < map.rows();
    const bool columnOk = at.index >= 0 && at.index < map.columns();
    switch (at.target) {
    case EditTarget::Y:
        if (rowOk && columnOk)
            return yAddress(map, at.row, at.index);
        break;
    case EditTarget::X:
        if (isFreeMapBlock(map) && columnOk && (rowOk || !map.hasXRowPerZ()))
            return xAddress(map, at.row, at.index);
        break;
    case EditTarget::Z:
        if (isFreeMapBlock(map) && at.index >= 0 && at.index < map.rows())
            return zAddress(map, at.index);
        break;
    case EditTarget::None:
        break;
    }
    return std::nullopt;
}

} // namespace qmx::maps
