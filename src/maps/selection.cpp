#include "maps/selection.h"

namespace qmx::maps {

void Selection::update(GridCell cell, float value) {
    const auto it = m_cells.find(cell);
    if (it != m_cells.end())
        it->second = value;
}

void Selection::dropOutside(int rows, int columns) {
    auto outside = [&](GridCell cell) { return cell.row >= rows || cell.column >= columns; };
    std::erase_if(m_cells, [&](const auto& entry) { return outside(entry.first); });
    if (m_anchor.valid() && outside(m_anchor))
        m_anchor = GridCell{};
}

} // namespace qmx::maps
