#include "maps/mapset.h"

#include "config/srecords.h"

#include <vector>

#include "maps/editstate.h"

namespace qmx::maps {

Map& MapSet::add(Map map) {
    map.y.count = map.rows() * map.columns();
    m_maps.push_back(std::move(map));
    return m_maps.back();
}

Map* MapSet::find(std::string_view name) {
    for (Map& map : m_maps) {
        if (map.name == name)
            return &map;
    }
    return nullptr;
}

const Map* MapSet::find(std::string_view name) const {
    return const_cast<MapSet*>(this)->find(name);
}

Map* MapSet::current() {
    return m_current < 0 ? nullptr : &m_maps[static_cast<std::size_t>(m_current)];
}

const Map* MapSet::current() const {
    return const_cast<MapSet*>(this)->current();
}

bool MapSet::setCurrent(int index) {
    if (index < -1 || index >= static_cast<int>(m_maps.size()))
        return false;
    m_current = index;
    return true;
}

void MapSet::beforeWrite(Map& map, EditFamily family, bool grouped) {
    if (m_observer)
        m_observer->beforeWrite(map, family, grouped);
}

void MapSet::markModified() {
    if (m_onModified)
        m_onModified();
}

Access MapSet::writeY(Map& map, std::uint8_t value, int column, int row) {
    const CellRead cell = readY(map, m_image, column, row);
    if (cell.result != Access::Ok)
        return cell.result;
    const std::uint32_t address = yAddress(map, row, column);
    m_image.setByte(static_cast<std::uint16_t>(address), value);
    copyToLinkedMaps(map, address, value);
    markModified();
    return Access::Ok;
}

Access MapSet::writeX(Map& map, std::uint16_t value, int column, int row) {
    const CellRead cell = readX(map, m_image, column, row);
    if (cell.result != Access::Ok)
        return cell.result;
    storeElement(map.x, xAddress(map, map.hasXRowPerZ() ? row : 0, column), value);
    markModified();
    return Access::Ok;
}

Access MapSet::writeZ(Map& map, std::uint16_t value, int row) {
    const CellRead cell = readZ(map, m_image, row);
    if (cell.result != Access::Ok)
        return cell.result;
    storeElement(map.z, zAddress(map, row), value);
    markModified();
    return Access::Ok;
}

void MapSet::storeElement(const MapAxis& axis, std::uint32_t address, std::uint16_t value) {
    const auto at = static_cast<std::uint16_t>(address);
    if (axis.isWord())
        m_image.setWord(at, value);
    else
        m_image.setByte(at, static_cast<std::uint8_t>(value & 0xFF));
}

void MapSet::copyToLinkedMaps(const Map& source, std::uint32_t address, std::uint8_t value) {
    if (!holdsYAddress(source, address))
        return;
    const std::uint32_t offset = address - source.y.address;
    for (const std::string& name : m_link.copyTargets(source.name)) {
        const Map* target = find(name);
        if (target && target != &source && holdsYAddress(*target, target->y.address + offset))
            m_image.setByte(static_cast<std::uint16_t>(target->y.address + offset), value);
    }
}

bool MapSet::relayoutFreeMaps() {
    if (m_source != MapSource::Free)
        return true;
    std::vector<FreeMapPlacement> placements;
    placements.reserve(m_maps.size());
    std::uint32_t cursor = m_area.start;
    for (const Map& map : m_maps) {
        const auto placement = placeFreeMap(m_image, cursor, map.kind);
        if (!placement)
            return false;
        placements.push_back(*placement);
        cursor = placement->next;
    }
    for (std::size_t i = 0; i < m_maps.size(); ++i) {
        applyPlacement(m_maps[i], placements[i]);
        refreshEditState(m_maps[i], m_image);
        m_maps[i].selection.dropOutside(m_maps[i].rows(), m_maps[i].columns());
    }
    return true;
}

void MapSet::clear() {
    m_maps.clear();
    m_current = -1;
    m_source = MapSource::Config;
    m_area = FreeMapArea{};
    m_link.clear();
}

bool MapSet::fixChecksum() {
    if (!config::fixImageChecksum(m_image))
        return false;
    markModified();
    relayoutFreeMaps();
    return true;
}

} // namespace qmx::maps
