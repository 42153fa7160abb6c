#pragma once

#include "maps/mapset.h"
#include "maps/tabledisplay.h"

// Moving through the table window: the current cell and the selection of the current map
// follow the arrow keys, Shift+arrows, clicks and drags.
namespace qmx::maps {

class TableNavigation {
public:
    // Moves through the current map of `maps`, which must outlive the navigation.
    explicit TableNavigation(MapSet& maps) : m_maps(maps) {}

    // A plain move by a moving command (tablecmd Up to Right, MoveUp to MoveRight): rows and
    // columns of the grid, column 0 leading left onto the row's Z value, maps with an X row per
    // Z value stepping through that row and the Y row in turn; axis values move along their axis
    // and step back into the grid. The new cell is the anchor and the selection (axis values:
    // no selection). False when the move would leave the map.
    bool move(int code);
    // Shift+arrow (tablecmd ExtendUp to ExtendRight) on a current Y cell: the neighbouring Y cell
    // becomes current and the selection the rectangle from the anchor (an unset anchor being the
    // previous cell) to it. False when that would leave the grid.
    bool extend(int code);

    // Left button down on `hit`: a Y cell becomes the current cell and the selection (with
    // Shift: the rectangle from the anchor, an unset anchor being the previous current cell);
    // an axis value becomes the current cell with an empty selection and no anchor. The
    // mouse-down state starts on grid cells.
    void press(const TableHit& hit, bool shift);
    // Pointer moved onto `hit` with the button held: while down, a new Y cell (of the same row
    // for maps with an X row per Z value) becomes current and the selection the rectangle from
    // the anchor to it.
    void drag(const TableHit& hit);
    // The mouse-down state ends (button up, or a move without the button).
    void release() { m_mouseDown = false; }
    bool mouseDown() const { return m_mouseDown; }
    // Double click on `hit`: a Y cell (not of a map with an X row per Z value) or an axis value
    // becomes the current cell, to be edited. False when `hit` cannot be edited that way.
    bool selectForEditing(const TableHit& hit);

private:
    Map* map() { return m_maps.current(); }

    MapSet& m_maps;
    bool m_mouseDown = false;
};

} // namespace qmx::maps
