#pragma once

#include <cstdint>
#include <optional>

#include "maps/editstate.h"
#include "maps/map.h"
#include "maps/pixelrect.h"

// Dragging a point or an X breakpoint in the map window: what a drag remembers from its start,
// and the value a point drag stores when the button is released.
namespace qmx::maps {

enum class DragKind { None, Point, Column };

struct MapDrag {
    DragKind kind = DragKind::None;
    EditPosition at;                    // the dragged cell
    std::uint16_t start = 0;            // its raw value when the drag began
    std::uint16_t edited = 0;           // the raw value it is dragged to
    PixelPoint point;                   // plot position of a dragged point when it began
    std::optional<PixelPoint> previous; // plot position of the point before it on its line
    std::optional<PixelPoint> next;     // and of the point after it
    PixelPoint last;                    // the last mouse position handled

    bool active() const { return kind != DragKind::None; }
};

// The raw value a point drag of the current Y cell of `map` to raw `edited` stores: its
// physical value snapped to the Y step, replaced by that of the highest (lowest) allowed raw
// value when above (below) the input range, converted back and kept within the cell's limits;
// then one raw step back into the input range when its physical value still lies outside.
std::uint16_t droppedPointRaw(const Map& map, std::uint16_t edited);

} // namespace qmx::maps
