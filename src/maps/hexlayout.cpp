#include "maps/hexlayout.h"

#include <algorithm>

namespace qmx::maps {

namespace {

int clampPixels(int value) {
    return std::clamp(value, 0, 1000000);
}

} // namespace

void HexLayout::setRange(std::uint16_t low, std::uint16_t high) {
    m_firstAddress = low & ~0xFu;
    m_rows = low > high ? 0 : (high >> 4) - (low >> 4) + 1;
    settle();
}

void HexLayout::setCellSize(int cellWidth, int rowHeight) {
    m_cellWidth = std::clamp(cellWidth, 1, 10000);
    m_rowHeight = std::clamp(rowHeight, 1, 10000);
    settle();
}

void HexLayout::setGridSize(int width, int height, int barExtent) {
    m_gridWidth = clampPixels(width);
    m_gridHeight = clampPixels(height);
    m_barExtent = clampPixels(barExtent);
    settle();
}

void HexLayout::settle() {
    // A bar takes room from the grid, which may call for the other bar: settle in turns.
    m_horizontalBar = false;
    m_verticalBar = false;
    for (int turn = 0; turn < 3; ++turn) {
        m_clientWidth = std::max(0, m_gridWidth - (m_verticalBar ? m_barExtent : 0));
        m_clientHeight = std::max(0, m_gridHeight - (m_horizontalBar ? m_barExtent : 0));
        m_horizontalBar = Columns * columnWidth() > m_clientWidth;
        m_verticalBar = m_rows * m_rowHeight > m_clientHeight;
    }
    m_clientWidth = std::max(0, m_gridWidth - (m_verticalBar ? m_barExtent : 0));
    m_clientHeight = std::max(0, m_gridHeight - (m_horizontalBar ? m_barExtent : 0));
    scrollTo(m_firstColumn, m_firstRow);
}

void HexLayout::scrollTo(int firstColumn, int firstRow) {
    m_firstColumn = std::clamp(firstColumn, 0, horizontalRange());
    m_firstRow = std::clamp(firstRow, 0, verticalRange());
}

void HexLayout::ensureVisible(std::uint32_t address) {
    if (address < m_firstAddress)
        return;
    const auto offset = address - m_firstAddress;
    const int row = static_cast<int>(offset / Columns);
    const int column = static_cast<int>(offset % Columns);
    if (row >= m_rows)
        return;
    const int wholeColumns = std::max(1, m_clientWidth / columnWidth());
    const int wholeRows = std::max(1, m_clientHeight / m_rowHeight);
    int first = m_firstColumn;
    if (column < first)
        first = column;
    else if (column >= first + wholeColumns)
        first = column - wholeColumns + 1;
    int top = m_firstRow;
    if (row < top)
        top = row;
    else if (row >= top + wholeRows)
        top = row - wholeRows + 1;
    scrollTo(first, top);
}

std::uint32_t HexLayout::rowAddress(int row) const {
    return m_firstAddress + static_cast<std::uint32_t>(row) * Columns;
}

int HexLayout::horizontalRange() const {
    return m_horizontalBar ? std::max(0, Columns - m_clientWidth / columnWidth()) : 0;
}

int HexLayout::verticalRange() const {
    return m_verticalBar ? std::max(0, m_rows - m_clientHeight / m_rowHeight) : 0;
}

int HexLayout::endColumn() const {
    const int shown = (m_clientWidth + columnWidth() - 1) / columnWidth();
    return std::min(Columns, m_firstColumn + shown);
}

int HexLayout::endRow() const {
    const int shown = (m_clientHeight + m_rowHeight - 1) / m_rowHeight;
    return std::min(m_rows, m_firstRow + shown);
}

std::optional<PixelRect> HexLayout::byteRect(std::uint32_t address) const {
    if (address < m_firstAddress)
        return std::nullopt;
    const auto offset = address - m_firstAddress;
    const int row = static_cast<int>(offset / Columns);
    if (row >= m_rows)
        return std::nullopt;
    const int column = static_cast<int>(offset % Columns);
    return PixelRect{(column - m_firstColumn) * columnWidth(), (row - m_firstRow) * m_rowHeight,
                     columnWidth(), m_rowHeight};
}

std::optional<std::uint32_t> HexLayout::hit(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_clientWidth || y >= m_clientHeight)
        return std::nullopt;
    const int column = m_firstColumn + x / columnWidth();
    const int row = m_firstRow + y / m_rowHeight;
    if (column >= Columns || row >= m_rows)
        return std::nullopt;
    return rowAddress(row) + static_cast<std::uint32_t>(column);
}

PixelRect HexLayout::rowLabelRect(int row) const {
    return {0, (row - m_firstRow + 1) * m_rowHeight, m_cellWidth, m_rowHeight};
}

PixelRect HexLayout::headingRect(int column) const {
    return {m_cellWidth + (column - m_firstColumn) * columnWidth(), 0, columnWidth(), m_rowHeight};
}

} // namespace qmx::maps
