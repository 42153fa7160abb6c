#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string_view>

#include "config/ecuimage.h"
#include "maps/editobserver.h"
#include "maps/freemaplayout.h"
#include "maps/map.h"
#include "maps/maplink.h"

// The maps of the open configuration, in definition order, with the current map, where their
// definitions came from, the free-map area and the map link. Every user write of a map value
// goes through here, so that linked maps receive their copies and the document is marked
// modified.
namespace qmx::maps {

// Where the map definitions came from.
enum class MapSource { Config = 0, Free = 1 };

class MapSet {
public:
    // The maps read and write `image`, which must outlive the set.
    explicit MapSet(config::EcuImage& image) : m_image(image) {}
    MapSet(const MapSet&) = delete;
    MapSet& operator=(const MapSet&) = delete;

    config::EcuImage& image() { return m_image; }
    const config::EcuImage& image() const { return m_image; }

    // Appends `map` after the maps already held and returns it; the reference stays valid
    // until clear(). Its Y count is set to rows × columns.
    Map& add(Map map);
    std::size_t size() const { return m_maps.size(); }
    bool empty() const { return m_maps.empty(); }
    // The map at `index` (below size()).
    Map& at(std::size_t index) { return m_maps.at(index); }
    const Map& at(std::size_t index) const { return m_maps.at(index); }
    const std::deque<Map>& maps() const { return m_maps; }
    // The first map named exactly `name`; null when there is none.
    Map* find(std::string_view name);
    const Map* find(std::string_view name) const;

    // The current map; null when there is none.
    Map* current();
    const Map* current() const;
    // -1 when there is no current map.
    int currentIndex() const { return m_current; }
    // Makes map `index` current (-1: none); false and no change when out of range.
    bool setCurrent(int index);

    MapSource source() const { return m_source; }
    void setSource(MapSource source) { m_source = source; }
    const FreeMapArea& freeMapArea() const { return m_area; }
    void setFreeMapArea(const FreeMapArea& area) { m_area = area; }

    MapLink& link() { return m_link; }
    const MapLink& link() const { return m_link; }

    // The undo history's hook; null (the default) records nothing. Not owned.
    void setEditObserver(EditObserver* observer) { m_observer = observer; }
    // Tells the hook that the current cell of `map` is about to be overwritten.
    void beforeWrite(Map& map, EditFamily family, bool grouped);

    // Called whenever a write marks the document modified.
    void setModifiedHandler(std::function<void()> handler) { m_onModified = std::move(handler); }
    void markModified();

    // Stores Y byte (row, column) as a user edit: linked maps receive the same byte at the
    // same offset when the offset lies inside their cells; marks the document modified.
    // Nothing changes when the cell is not in the map.
    Access writeY(Map& map, std::uint8_t value, int column, int row);
    // Stores X value `column` (of `row` for a per-row-X map): a byte (the low byte of `value`)
    // or a big-endian word; marks the document modified; never copied to linked maps.
    Access writeX(Map& map, std::uint16_t value, int column, int row = 0);
    // Stores Z value `row` like writeX.
    Access writeZ(Map& map, std::uint16_t value, int row);

    // Lays the free maps out again from the area start, reading the count bytes from the
    // image, and refreshes their edit states. When any map would run past 0xFFFF the old
    // layout is kept and false is returned. Config-map sets are left as they are.
    bool relayoutFreeMaps();

    // Sets the image checksum byte, so that the bytes of the data range add up to 0x7F. When
    // the byte changes, the document is marked modified and the free maps are laid out again,
    // because the checksum byte may be one of their count bytes. Never copied to linked maps.
    // Returns whether the byte changed.
    bool fixChecksum();

    // The no-document state: no maps, no current map, no link, an empty free-map area.
    void clear();

private:
    void storeElement(const MapAxis& axis, std::uint32_t address, std::uint16_t value);
    void copyToLinkedMaps(const Map& source, std::uint32_t address, std::uint8_t value);

    config::EcuImage& m_image;
    std::deque<Map> m_maps;
    int m_current = -1;
    MapSource m_source = MapSource::Config;
    FreeMapArea m_area;
    MapLink m_link;
    EditObserver* m_observer = nullptr;
    std::function<void()> m_onModified;
};

} // namespace qmx::maps
