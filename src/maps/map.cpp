#include "maps/map.h"

#include <algorithm>

namespace qmx::maps {

namespace {

bool rowInRange(const Map& map, int row) {
    return row >= 0 && row < map.rows();
}
bool columnInRange(const Map& map, int column) {
    return column >= 0 && column < map.columns();
}

std::uint16_t readElement(const config::EcuImage& image, const MapAxis& axis,
                          std::uint32_t address) {
    const auto at = static_cast<std::uint16_t>(address);
    return axis.isWord() ? image.word(at) : image.byte(at);
}

} // namespace

std::int32_t RawLimits::apply(std::int32_t raw) const {
    return std::min(std::max(raw, lowest), highest);
}

std::uint32_t yAddress(const Map& map, int row, int column) {
    return map.y.address + static_cast<std::uint32_t>(row * map.columns() + column);
}

std::uint32_t xAddress(const Map& map, int row, int column) {
    const int element = map.hasXRowPerZ() ? row * map.columns() + column : column;
    return map.x.address + static_cast<std::uint32_t>(element * (map.x.isWord() ? 2 : 1));
}

std::uint32_t zAddress(const Map& map, int row) {
    return map.z.address + static_cast<std::uint32_t>(row * (map.z.isWord() ? 2 : 1));
}

const MapAxis& axisOf(const Map& map, EditTarget target) {
    return target == EditTarget::X ? map.x : target == EditTarget::Z ? map.z : map.y;
}

CellRead readY(const Map& map, const config::EcuImage& image, int column, int row) {
    if (!rowInRange(map, row))
        return {Access::RowOutOfRange, 0};
    if (!columnInRange(map, column))
        return {Access::ColumnOutOfRange, 0};
    return {Access::Ok, image.byte(static_cast<std::uint16_t>(yAddress(map, row, column)))};
}

CellRead readX(const Map& map, const config::EcuImage& image, int column, int row) {
    if (!map.axesInImage())
        return {Access::NotInImage, 0};
    if (map.hasXRowPerZ() && !rowInRange(map, row))
        return {Access::RowOutOfRange, 0};
    if (!columnInRange(map, column))
        return {Access::ColumnOutOfRange, 0};
    const int effectiveRow = map.hasXRowPerZ() ? row : 0;
    return {Access::Ok, readElement(image, map.x, xAddress(map, effectiveRow, column))};
}

CellRead readZ(const Map& map, const config::EcuImage& image, int row) {
    if (!map.axesInImage())
        return {Access::NotInImage, 0};
    if (!rowInRange(map, row))
        return {Access::RowOutOfRange, 0};
    return {Access::Ok, readElement(image, map.z, zAddress(map, row))};
}

CellRead readValue(const Map& map, const config::EcuImage& image, EditTarget target, int row,
                   int index) {
    switch (target) {
    case EditTarget::Y:
        return readY(map, image, index, row);
    case EditTarget::X:
        return readX(map, image, index, row);
    case EditTarget::Z:
        return readZ(map, image, index);
    case EditTarget::None:
        break;
    }
    return {Access::RowOutOfRange, 0};
}

bool holdsYAddress(const Map& map, std::uint32_t address) {
    return address >= map.y.address &&
           address - map.y.address < static_cast<std::uint32_t>(std::max(map.y.count, 0));
}

} // namespace qmx::maps
