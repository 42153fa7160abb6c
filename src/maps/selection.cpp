#include "maps/selection.h"

namespace qmx::maps {

void Selection::dropOutside(int rows, int columns) {
    auto outside = [&](GridCell cell) { return cell.row >= rows || cell.column >= columns; };
    std::erase_if(m_cells, outside);
    if (m_anchor.valid() && outside(m_anchor))
        m_anchor = GridCell{};
}

} // namespace qmx::maps
