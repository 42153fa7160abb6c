#pragma once

#include <cstdint>
#include <optional>

#include "maps/editstate.h"
#include "maps/map.h"

// Where a map lies in the image as the hex view shows it, and which of its bytes can be
// selected there. A free map (kinds Shared and PerRowX) is a whole block: its two count bytes,
// the Z values, the X values and the Y values, all single bytes; the count bytes are marked but
// not selectable. Any other map is shown by its Y bytes only.
namespace qmx::maps {

struct HexMapRange {
    std::uint32_t first = 0;           // first byte marked as the map's
    std::uint32_t last = 0;            // last byte marked, included
    std::uint32_t firstSelectable = 0; // the selectable bytes run from here to `last`
    bool empty = true;                 // the map has no byte to mark

    bool marks(std::uint32_t address) const {
        return !empty && address >= first && address <= last;
    }
    bool selectable(std::uint32_t address) const {
        return !empty && address >= firstSelectable && address <= last;
    }
};

// Whether `map` is laid out as a free-map block.
bool isFreeMapBlock(const Map& map);

// The bytes of `map` that the hex view marks and selects.
HexMapRange hexMapRange(const Map& map);

// The value of `map` whose byte is `address`: a Z value, an X value (a free map's; for a map
// with one X row the row stays the current edit row) or a Y value. Nothing when the byte is
// not selectable.
std::optional<EditPosition> positionAtAddress(const Map& map, std::uint32_t address);

// The byte of the value at `at`; nothing when the hex view cannot select it (an axis value of
// a map that is not a free map, or a value outside the map).
std::optional<std::uint32_t> addressOfPosition(const Map& map, const EditPosition& at);

} // namespace qmx::maps
