#include "maps/undohistory.h"

#include <optional>

#include "maps/editstate.h"

namespace qmx::maps {

namespace {

int partOf(EditTarget target) {
    switch (target) {
    case EditTarget::Z:
        return 0;
    case EditTarget::X:
        return 1;
    case EditTarget::Y:
        return 2;
    case EditTarget::None:
        break;
    }
    return -1;
}

std::uint32_t currentAddress(const Map& map) {
    switch (map.target) {
    case EditTarget::Z:
        return zAddress(map, map.editIndex);
    case EditTarget::X:
        return xAddress(map, map.editRow, map.editIndex);
    case EditTarget::Y:
    case EditTarget::None:
        break;
    }
    return yAddress(map, map.editRow, map.editIndex);
}

// A value of the map located by its image address.
struct Located {
    EditTarget target = EditTarget::None;
    int row = 0;
    int index = 0;
};

// The element of `count` values of `elementSize` bytes from `base` that starts at `address`.
std::optional<int> elementAt(std::uint32_t address, std::uint32_t base, int count,
                             int elementSize) {
    if (address < base || count <= 0)
        return std::nullopt;
    const std::uint32_t offset = address - base;
    const auto size = static_cast<std::uint32_t>(elementSize);
    if (offset % size != 0 || offset / size >= static_cast<std::uint32_t>(count))
        return std::nullopt;
    return static_cast<int>(offset / size);
}

std::optional<Located> locate(const Map& map, MapSource source, std::uint16_t address) {
    const int zBytes = map.z.isWord() ? 2 : 1;
    const int xBytes = map.x.isWord() ? 2 : 1;
    const bool axes = source == MapSource::Free || map.kind == MapKind::Addressed;
    if (axes) {
        if (const auto z = elementAt(address, map.z.address, map.rows(), zBytes))
            return Located{EditTarget::Z, *z, *z};
        const int xCount = map.columns() * (map.hasXRowPerZ() ? map.rows() : 1);
        if (const auto x = elementAt(address, map.x.address, xCount, xBytes)) {
            if (map.hasXRowPerZ())
                return Located{EditTarget::X, *x / map.columns(), *x % map.columns()};
            return Located{EditTarget::X, map.editRow, *x};
        }
    }
    if (const auto y = elementAt(address, map.y.address, map.rows() * map.columns(), 1))
        return Located{EditTarget::Y, *y / map.columns(), *y % map.columns()};
    return std::nullopt;
}

} // namespace

void UndoHistory::setBudget(int budget) {
    m_budget = budget < 0 ? 0 : static_cast<std::size_t>(budget);
}

void UndoHistory::beforeWrite(Map& map, EditFamily family, bool grouped) {
    push(map, family, grouped);
}

bool UndoHistory::push(Map& map, EditFamily family, bool grouped) {
    const int part = partOf(map.target);
    if (part < 0)
        return false;
    const int kind = static_cast<int>(family) + part;
    const auto address = static_cast<std::uint16_t>(currentAddress(map));
    if (family == EditFamily::Step && map.undo.newestGroupHolds(kind, address))
        return false;
    UndoRecord record;
    record.kind = kind;
    record.addresses = {address};
    record.values = {currentRaw(map, m_maps.image())};
    record.grouped = grouped;
    map.undo.append(std::move(record), m_budget);
    return true;
}

UndoResult UndoHistory::undo(Map& map) {
    UndoResult result;
    while (!map.undo.empty()) {
        const UndoRecord record = map.undo.newest();
        if (!restore(map, record, result))
            break;
        map.undo.dropNewest();
        ++result.restored;
        if (!record.grouped)
            break;
    }
    if (result.restored > 0) {
        map.selection.clearCells();
        map.selection.setAnchor(map.target == EditTarget::Y ? GridCell{map.editRow, map.editIndex}
                                                            : GridCell{});
    }
    return result;
}

bool UndoHistory::restore(Map& map, const UndoRecord& record, UndoResult& result) {
    if (record.addresses.empty() || record.values.empty())
        return false;
    const std::optional<Located> at = locate(map, m_maps.source(), record.addresses.front());
    if (!at || selectCell(map, m_maps.image(), at->target, at->row, at->index) != Access::Ok)
        return false;
    const std::uint16_t value = record.values.front();
    switch (at->target) {
    case EditTarget::Y:
        m_maps.writeY(map, static_cast<std::uint8_t>(value), at->index, at->row);
        break;
    case EditTarget::X:
        m_maps.writeX(map, value, at->index, at->row);
        break;
    case EditTarget::Z:
        m_maps.writeZ(map, value, at->index);
        result.zValue = true;
        break;
    case EditTarget::None:
        return false;
    }
    return true;
}

UndoMenuItem undoMenuItem(const Map* map) {
    UndoMenuItem item{"&Undo\tCtrl+Z", false};
    if (!map || map->undo.empty())
        return item;
    const UndoRecord& newest = map->undo.newest();
    static constexpr const char* parts[] = {"THROT", "RPM", "DATA"};
    const int part = newest.part();
    if (part < 0 || part > 2)
        return item;
    item.text =
        newest.family() == static_cast<int>(EditFamily::Drag) ? "&Undo(Drag " : "&Undo(Edit ";
    item.text += parts[part];
    item.text += ")\tCtrl+Z";
    item.enabled = true;
    return item;
}

bool newestIsStep(const Map& map) {
    return !map.undo.empty() && map.undo.newest().family() == static_cast<int>(EditFamily::Step);
}

} // namespace qmx::maps
