#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "maps/tablelayout.h"

// The geometry of the hex view: the image bytes from the start of the row that holds the first
// byte of the data area to the end of the row that holds its last, 16 to a row. The outer
// window has a column of row addresses one cell wide on the left and a row of column headings
// one row high on top; the inner grid sits beside them and shows the bytes, each column half a
// cell wide, scrolled by whole columns and rows. Grid pixels count from the grid's top-left
// corner, window pixels from the outer window's.
namespace qmx::maps {

class HexLayout {
public:
    static constexpr int Columns = 16;

    // The data area, both ends included; low above high shows no row.
    void setRange(std::uint16_t low, std::uint16_t high);
    // Cell width (a byte column is half of it, at least 1 pixel) and row height in pixels,
    // each 1..10000.
    void setCellSize(int cellWidth, int rowHeight);
    // The inner grid's size in pixels and a scroll bar's thickness: a bar appears only when the
    // bytes do not fit beside the other bar, and the bars take their room from the grid.
    void setGridSize(int width, int height, int barExtent);
    // Scroll position (first shown column 0..15, first shown row), pulled into range.
    void scrollTo(int firstColumn, int firstRow);
    // Scrolls the least distance that shows the byte at `address` whole, when it is shown.
    void ensureVisible(std::uint32_t address);

    int cellWidth() const { return m_cellWidth; }
    int rowHeight() const { return m_rowHeight; }
    int columnWidth() const { return std::max(1, m_cellWidth / 2); }
    int rows() const { return m_rows; }
    // The address of the first byte of row `row`.
    std::uint32_t rowAddress(int row) const;
    int firstColumn() const { return m_firstColumn; }
    int firstRow() const { return m_firstRow; }

    bool horizontalBar() const { return m_horizontalBar; }
    bool verticalBar() const { return m_verticalBar; }
    // Scroll ranges: 16 less the whole columns that fit, the rows less the whole rows that fit;
    // 0 without a bar.
    int horizontalRange() const;
    int verticalRange() const;
    // A page step is a quarter of the range, at least 1.
    int horizontalPageStep() const { return std::max(1, horizontalRange() / 4); }
    int verticalPageStep() const { return std::max(1, verticalRange() / 4); }
    // The grid less the bars.
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }
    // One past the last column and row with a pixel in the client area.
    int endColumn() const;
    int endRow() const;

    // The byte at `address` in grid pixels (possibly outside the client area); nothing when
    // it is not shown.
    std::optional<PixelRect> byteRect(std::uint32_t address) const;
    // The byte under grid point (x, y) of the client area; nothing past the bytes.
    std::optional<std::uint32_t> hit(int x, int y) const;
    // Where the bytes end in grid pixels: right of column F and below the last row.
    int bytesRight() const { return (Columns - m_firstColumn) * columnWidth(); }
    int bytesBottom() const { return (m_rows - m_firstRow) * m_rowHeight; }

    // The address label of row `row` and the heading of column `column`, in window pixels.
    PixelRect rowLabelRect(int row) const;
    PixelRect headingRect(int column) const;

private:
    void settle();

    std::uint32_t m_firstAddress = 0;
    int m_rows = 0;
    int m_cellWidth = 1;
    int m_rowHeight = 1;
    int m_gridWidth = 0;
    int m_gridHeight = 0;
    int m_barExtent = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_horizontalBar = false;
    bool m_verticalBar = false;
    int m_firstColumn = 0;
    int m_firstRow = 0;
};

} // namespace qmx::maps
