#include "maps/editstate.h"

#include <algorithm>

#include "maps/conversion.h"

namespace qmx::maps {

namespace {

// A limit of the Y values through the physical-to-raw expression; `fallback` when it fails.
std::int32_t rawOfLimit(const MapAxis& axis, const std::string& text, std::int32_t fallback) {
    const Converted<std::int32_t> raw = toRawWhole(axis, limitValue(text));
    return raw.ok() ? raw.value : fallback;
}

} // namespace

RawLimits yRawLimits(const MapAxis& y) {
    const std::string& inputMax = y.inputMax.empty() ? y.max : y.inputMax;
    const std::string& inputMin = y.inputMin.empty() ? y.min : y.inputMin;
    RawLimits limits;
    limits.highest = std::min(rawOfLimit(y, y.max, 0xFFFF), rawOfLimit(y, inputMax, 0xFFFF));
    limits.lowest = std::max(rawOfLimit(y, y.min, 0), rawOfLimit(y, inputMin, 0));
    limits.highest = std::min(limits.highest, y.rawCap());
    limits.lowest = std::max(limits.lowest, 0);
    return limits;
}

namespace {

// Limits of an axis value from its neighbours at index - 1 and index + 1; a missing neighbour
// leaves `lowSide` / `highSide`.
template <typename Read>
RawLimits neighbourLimits(Read read, int index, int count, std::int32_t lowSide,
                          std::int32_t highSide) {
    RawLimits limits{lowSide, highSide};
    if (index > 0)
        limits.lowest = read(index - 1);
    if (index + 1 < count)
        limits.highest = read(index + 1);
    return limits;
}

} // namespace

Access selectCell(Map& map, const config::EcuImage& image, EditTarget target, int row, int index) {
    const CellRead cell = readValue(map, image, target, row, index);
    if (cell.result != Access::Ok)
        return cell.result;
    map.target = target;
    map.editRow = target == EditTarget::Z ? index : row;
    map.editIndex = index;
    return Access::Ok;
}

EditPosition currentPosition(const Map& map) {
    return {map.target, map.editRow, map.editIndex};
}

Access selectCell(Map& map, const config::EcuImage& image, const EditPosition& at) {
    return selectCell(map, image, at.target, at.row, at.index);
}

void selectFirstCell(Map& map, const config::EcuImage& image) {
    if (map.target == EditTarget::None)
        selectCell(map, image, EditTarget::Y, 0, 0);
}

Access selectRow(Map& map, const config::EcuImage& image, int row) {
    if (row < 0 || row >= map.rows())
        return Access::RowOutOfRange;
    switch (map.target) {
    case EditTarget::Z:
        return selectCell(map, image, EditTarget::Z, row, row);
    case EditTarget::X:
        return selectCell(map, image, EditTarget::X, row, map.editIndex);
    case EditTarget::Y:
    case EditTarget::None:
        break;
    }
    return selectCell(map, image, EditTarget::Y, row, map.editIndex);
}

void refreshEditState(Map& map, const config::EcuImage& image) {
    if (map.target == EditTarget::None)
        return;
    const int row = map.target == EditTarget::Z ? map.editIndex : map.editRow;
    if (selectCell(map, image, map.target, row, map.editIndex) == Access::Ok)
        return;
    map.target = EditTarget::None;
    map.editRow = 0;
    map.editIndex = 0;
    selectFirstCell(map, image);
}

bool zRunsDownward(const Map& map, const config::EcuImage& image) {
    if (map.rows() < 2)
        return false;
    return readZ(map, image, 0).value > readZ(map, image, map.rows() - 1).value;
}

float yPhysical(const Map& map, const config::EcuImage& image, GridCell cell) {
    const CellRead read = readY(map, image, cell.column, cell.row);
    return read.result == Access::Ok ? toPhysical(map.y, read.value).value : 0.0f;
}

void selectSingle(Map& map, GridCell cell) {
    map.selection.setAnchor(cell);
    map.selection.clearCells();
    map.selection.add(cell);
}

void selectRectangle(Map& map, GridCell anchor, GridCell corner) {
    map.selection.clearCells();
    const auto [top, bottom] = std::minmax(anchor.row, corner.row);
    const auto [left, right] = std::minmax(anchor.column, corner.column);
    for (int row = std::max(top, 0); row <= bottom && row < map.rows(); ++row) {
        for (int column = std::max(left, 0); column <= right && column < map.columns(); ++column)
            map.selection.add({row, column});
    }
}

std::uint16_t currentRaw(const Map& map, const config::EcuImage& image) {
    const CellRead read = readValue(map, image, map.target, map.editRow, map.editIndex);
    return read.result == Access::Ok ? read.value : 0;
}

RawLimits rawLimits(const Map& map, const config::EcuImage& image) {
    switch (map.target) {
    case EditTarget::Y:
        return yRawLimits(map.y);
    case EditTarget::X: {
        const int row = map.editRow;
        auto read = [&](int column) { return readX(map, image, column, row).value; };
        return neighbourLimits(read, map.editIndex, map.columns(), 0, map.x.rawCap());
    }
    case EditTarget::Z: {
        auto read = [&](int row) { return readZ(map, image, row).value; };
        if (!zRunsDownward(map, image))
            return neighbourLimits(read, map.editIndex, map.rows(), 0, map.z.rawCap());
        // Downward: the value above is the upper bound, the value below the lower one.
        const RawLimits sides = neighbourLimits(read, map.editIndex, map.rows(), 0xFFFF, 0);
        return {sides.highest, std::min<std::int32_t>(sides.lowest, map.z.rawCap())};
    }
    case EditTarget::None:
        break;
    }
    return RawLimits{};
}

} // namespace qmx::maps
