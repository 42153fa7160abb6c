#include "maps/tablelayout.h"

#include <algorithm>

namespace qmx::maps {

namespace {

// Cell sizes come from the settings; the cap keeps every pixel product within an int.
constexpr int kMaxCellPixels = 10000;
constexpr int kMaxViewPixels = 1000000;

// How far to scroll so that `index` lies in first .. first + fit - 1.
int scrolledTo(int index, int first, int fit) {
    if (index < first)
        return index;
    if (index >= first + fit)
        return index - fit + 1;
    return first;
}

} // namespace

void TableLayout::setCellSize(int width, int height) {
    m_cellWidth = std::clamp(width, 1, kMaxCellPixels);
    m_cellHeight = std::clamp(height, 1, kMaxCellPixels);
    scrollTo(m_firstColumn, m_firstRow);
}

void TableLayout::setViewSize(int width, int height) {
    m_viewWidth = std::clamp(width, 0, kMaxViewPixels);
    m_viewHeight = std::clamp(height, 0, kMaxViewPixels);
    scrollTo(m_firstColumn, m_firstRow);
}

void TableLayout::setExtent(int columns, int gridRows) {
    m_columns = std::clamp(columns, 0, 0xFFFF);
    m_gridRows = std::clamp(gridRows, 0, 0x1FFFF);
    scrollTo(m_firstColumn, m_firstRow);
}

void TableLayout::scrollTo(int firstColumn, int firstRow) {
    m_firstColumn = std::clamp(firstColumn, 0, horizontalRange());
    m_firstRow = std::clamp(firstRow, 0, verticalRange());
}

void TableLayout::ensureVisible(int gridRow, int column) {
    const int fitColumns = std::max(m_viewWidth / m_cellWidth, 1);
    const int fitRows = std::max(m_viewHeight / m_cellHeight, 1);
    scrollTo(column < 0 ? m_firstColumn : scrolledTo(column, m_firstColumn, fitColumns),
             gridRow < 0 ? m_firstRow : scrolledTo(gridRow, m_firstRow, fitRows));
}

int TableLayout::horizontalRange() const {
    return horizontalBar() ? m_columns - m_viewWidth / m_cellWidth : 0;
}

int TableLayout::verticalRange() const {
    return verticalBar() ? m_gridRows - m_viewHeight / m_cellHeight : 0;
}

int TableLayout::endColumn() const {
    const int shown = (m_viewWidth + m_cellWidth - 1) / m_cellWidth;
    return std::min(m_columns, m_firstColumn + shown);
}

int TableLayout::endRow() const {
    const int shown = (m_viewHeight + m_cellHeight - 1) / m_cellHeight;
    return std::min(m_gridRows, m_firstRow + shown);
}

PixelRect TableLayout::gridPane() const {
    return {m_cellWidth, m_cellHeight, m_viewWidth, m_viewHeight};
}

PixelRect TableLayout::gridCell(int gridRow, int column) const {
    return {(column - m_firstColumn + 1) * m_cellWidth, (gridRow - m_firstRow + 1) * m_cellHeight,
            m_cellWidth, m_cellHeight};
}

PixelRect TableLayout::zHeaderCell(int gridRow) const {
    return {0, (gridRow - m_firstRow + 1) * m_cellHeight, m_cellWidth, m_cellHeight};
}

PixelRect TableLayout::xHeaderCell(int column) const {
    return {(column - m_firstColumn + 1) * m_cellWidth, 0, m_cellWidth, m_cellHeight};
}

PixelRect TableLayout::emptyArea() const {
    const int left = (m_columns - m_firstColumn + 1) * m_cellWidth;
    const int right = m_cellWidth + m_viewWidth;
    return {left, m_cellHeight, std::max(right - left, 0), m_viewHeight};
}

LayoutHit TableLayout::hit(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_cellWidth + m_viewWidth || y >= m_cellHeight + m_viewHeight)
        return {};
    const bool headerColumn = x < m_cellWidth;
    const bool headerRow = y < m_cellHeight;
    const int column = m_firstColumn + x / m_cellWidth - 1;
    const int gridRow = m_firstRow + y / m_cellHeight - 1;
    if (headerColumn && headerRow)
        return {};
    if (!headerColumn && column >= m_columns)
        return {};
    if (!headerRow && gridRow >= m_gridRows)
        return {};
    if (headerColumn)
        return {TableArea::ZHeader, gridRow, 0};
    if (headerRow)
        return {TableArea::XHeader, 0, column};
    return {TableArea::Grid, gridRow, column};
}

} // namespace qmx::maps
