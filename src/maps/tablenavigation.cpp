#include "maps/tablenavigation.h"

#include <optional>

#include "maps/editstate.h"
#include "maps/tablecommands.h"

namespace qmx::maps {

namespace {

struct Direction {
    int rows = 0;
    int columns = 0;
};

Direction directionOf(int code) {
    switch (code) {
    case tablecmd::Up:
    case tablecmd::ExtendUp:
    case tablecmd::MoveUp:
        return {-1, 0};
    case tablecmd::Down:
    case tablecmd::ExtendDown:
    case tablecmd::MoveDown:
        return {1, 0};
    case tablecmd::Left:
    case tablecmd::ExtendLeft:
    case tablecmd::MoveLeft:
        return {0, -1};
    default:
        break;
    }
    return {0, 1};
}

bool inside(int value, int count) {
    return value >= 0 && value < count;
}

// Where a plain move from `from` goes (see TableNavigation::move).
std::optional<EditPosition> moveTarget(const Map& map, const EditPosition& from, Direction d) {
    const bool perRow = map.hasXRowPerZ();
    const int rows = map.rows();
    const int columns = map.columns();
    const int column = from.index + d.columns;
    switch (from.target) {
    case EditTarget::Y:
        if (d.columns != 0) {
            if (inside(column, columns))
                return EditPosition{EditTarget::Y, from.row, column};
            if (column < 0 && map.axesInImage())
                return EditPosition{EditTarget::Z, from.row, from.row};
            return std::nullopt;
        }
        if (perRow) {
            const int xRow = d.rows < 0 ? from.row : from.row + 1;
            if (inside(xRow, rows))
                return EditPosition{EditTarget::X, xRow, from.index};
            return std::nullopt;
        }
        if (inside(from.row + d.rows, rows))
            return EditPosition{EditTarget::Y, from.row + d.rows, from.index};
        return std::nullopt;
    case EditTarget::X:
        if (d.columns != 0) {
            if (inside(column, columns))
                return EditPosition{EditTarget::X, from.row, column};
            if (column < 0 && perRow)
                return EditPosition{EditTarget::Z, from.row, from.row};
            return std::nullopt;
        }
        if (!perRow)
            return d.rows > 0 && rows > 0
                       ? std::optional(EditPosition{EditTarget::Y, 0, from.index})
                       : std::nullopt;
        if (d.rows > 0)
            return EditPosition{EditTarget::Y, from.row, from.index};
        if (from.row > 0)
            return EditPosition{EditTarget::Y, from.row - 1, from.index};
        return std::nullopt;
    case EditTarget::Z:
        if (d.rows != 0) {
            const int row = from.index + d.rows;
            return inside(row, rows) ? std::optional(EditPosition{EditTarget::Z, row, row})
                                     : std::nullopt;
        }
        if (d.columns > 0 && columns > 0)
            return EditPosition{perRow ? EditTarget::X : EditTarget::Y, from.index, 0};
        return std::nullopt;
    case EditTarget::None:
        break;
    }
    return std::nullopt;
}

void dropSelection(Map& map) {
    map.selection.clearCells();
    map.selection.setAnchor(GridCell{});
}

// The anchor of a range selection; an unset one becomes `fallback`.
GridCell anchorOr(Map& map, GridCell fallback) {
    GridCell anchor = map.selection.anchor();
    if (!anchor.valid()) {
        anchor = fallback;
        map.selection.setAnchor(anchor);
    }
    return anchor;
}

} // namespace

bool TableNavigation::move(int code) {
    Map* current = map();
    if (!current)
        return false;
    Map& m = *current;
    const config::EcuImage& image = m_maps.image();
    const std::optional<EditPosition> to = moveTarget(m, currentPosition(m), directionOf(code));
    if (!to || selectCell(m, image, *to) != Access::Ok)
        return false;
    if (to->target == EditTarget::Y)
        selectSingle(m, {to->row, to->index});
    else
        dropSelection(m);
    return true;
}

bool TableNavigation::extend(int code) {
    Map* current = map();
    if (!current || current->target != EditTarget::Y)
        return false;
    Map& m = *current;
    const Direction d = directionOf(code);
    const GridCell from{m.editRow, m.editIndex};
    const GridCell to{from.row + d.rows, from.column + d.columns};
    if (selectCell(m, m_maps.image(), EditTarget::Y, to.row, to.column) != Access::Ok)
        return false;
    selectRectangle(m, anchorOr(m, from), to);
    return true;
}

void TableNavigation::press(const TableHit& hit, bool shift) {
    Map* current = map();
    if (!current || hit.target == EditTarget::None)
        return;
    Map& m = *current;
    const config::EcuImage& image = m_maps.image();
    if (hit.target == EditTarget::Y) {
        const GridCell cell{hit.row, hit.index};
        if (shift) {
            const GridCell previous =
                m.target == EditTarget::Y ? GridCell{m.editRow, m.editIndex} : cell;
            selectRectangle(m, anchorOr(m, previous), cell);
        } else {
            selectSingle(m, cell);
        }
    } else {
        dropSelection(m);
    }
    selectCell(m, image, hit.target, hit.row, hit.index);
    m_mouseDown = hit.target == EditTarget::Y || (hit.target == EditTarget::X && m.hasXRowPerZ());
}

void TableNavigation::drag(const TableHit& hit) {
    Map* current = map();
    if (!m_mouseDown || !current || current->target != EditTarget::Y)
        return;
    Map& m = *current;
    if (hit.target != EditTarget::Y || (hit.row == m.editRow && hit.index == m.editIndex))
        return;
    if (m.hasXRowPerZ() && hit.row != m.editRow)
        return;
    const GridCell anchor = anchorOr(m, {m.editRow, m.editIndex});
    selectCell(m, m_maps.image(), EditTarget::Y, hit.row, hit.index);
    selectRectangle(m, anchor, {hit.row, hit.index});
}

bool TableNavigation::selectForEditing(const TableHit& hit) {
    Map* current = map();
    if (!current || hit.target == EditTarget::None)
        return false;
    Map& m = *current;
    const bool yCell = hit.target == EditTarget::Y && !m.hasXRowPerZ();
    const bool axis =
        hit.target == EditTarget::Z || (hit.target == EditTarget::X && !m.hasXRowPerZ());
    if (!yCell && !axis)
        return false;
    if (axis)
        dropSelection(m);
    selectCell(m, m_maps.image(), hit.target, hit.row, hit.index);
    return true;
}

} // namespace qmx::maps
