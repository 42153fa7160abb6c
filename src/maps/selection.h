#pragma once

#include <compare>
#include <cstddef>
#include <set>

// The Y cells selected in the table window. The selection belongs to the map, so that every
// view of the document sees the same one; their values are read from the image when needed.
namespace qmx::maps {

// A Y cell by row and column; -1 stands for no cell.
struct GridCell {
    int row = -1;
    int column = -1;
    bool valid() const { return row >= 0 && column >= 0; }
    auto operator<=>(const GridCell&) const = default;
};

class Selection {
public:
    // The selected cells ordered by row, then column.
    const std::set<GridCell>& cells() const { return m_cells; }
    std::size_t size() const { return m_cells.size(); }
    bool empty() const { return m_cells.empty(); }
    bool contains(GridCell cell) const { return m_cells.count(cell) != 0; }

    // Where a range selection starts; invalid when none.
    GridCell anchor() const { return m_anchor; }
    void setAnchor(GridCell cell) { m_anchor = cell; }

    // Removes every cell; the anchor stays.
    void clearCells() { m_cells.clear(); }
    // Adds `cell`.
    void add(GridCell cell) { m_cells.insert(cell); }
    // Drops the cells, and the anchor, that lie outside rows × columns.
    void dropOutside(int rows, int columns);

private:
    std::set<GridCell> m_cells;
    GridCell m_anchor;
};

} // namespace qmx::maps
