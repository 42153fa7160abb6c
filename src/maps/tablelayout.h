#pragma once

#include "maps/pixelrect.h"

// The geometry of the table window: a header column (Z values) on the left and a header row
// (X values) on top, each one cell wide or high, and the scrolled grid pane beside them. All
// coordinates are pixels of the table window, whose grid pane starts at one cell right of and
// one cell below its top-left corner.
namespace qmx::maps {

enum class TableArea { None, Grid, ZHeader, XHeader };

// What lies under a point: the grid row and column of a grid cell, the grid row of a Z header
// cell, the column of an X header cell.
struct LayoutHit {
    TableArea area = TableArea::None;
    int gridRow = 0;
    int column = 0;
};

class TableLayout {
public:
    // Pixels per cell; each 1..10000.
    void setCellSize(int width, int height);
    // The grid pane's client size in pixels (the window less the header column and row and the
    // scroll bars); each 0..1000000.
    void setViewSize(int width, int height);
    // Columns and grid rows of the map shown; negative counts as 0.
    void setExtent(int columns, int gridRows);
    // Scroll position in cells, pulled into 0..range.
    void scrollTo(int firstColumn, int firstRow);
    // Scrolls the least distance that shows the cell whole (as far as the range allows); a
    // negative row or column leaves that direction as it is.
    void ensureVisible(int gridRow, int column);

    int cellWidth() const { return m_cellWidth; }
    int cellHeight() const { return m_cellHeight; }
    int viewWidth() const { return m_viewWidth; }
    int viewHeight() const { return m_viewHeight; }
    int columns() const { return m_columns; }
    int gridRows() const { return m_gridRows; }
    int firstColumn() const { return m_firstColumn; }
    int firstRow() const { return m_firstRow; }
    // A bar is shown exactly when the cells are wider (higher) than the pane.
    bool horizontalBar() const { return m_columns * m_cellWidth > m_viewWidth; }
    bool verticalBar() const { return m_gridRows * m_cellHeight > m_viewHeight; }
    // Scroll ranges in cells: the count less the cells that fit whole; 0 without a bar.
    int horizontalRange() const;
    int verticalRange() const;
    // One past the last column / grid row with a pixel in the pane.
    int endColumn() const;
    int endRow() const;

    PixelRect gridPane() const;
    PixelRect gridCell(int gridRow, int column) const;
    // The Z header cell beside grid row `gridRow`, the X header cell above `column`.
    PixelRect zHeaderCell(int gridRow) const;
    PixelRect xHeaderCell(int column) const;
    // The part of the pane right of the last column; empty when the columns fill it.
    PixelRect emptyArea() const;

    // The cell under window point (x, y); the corner and points past the cells hit nothing.
    LayoutHit hit(int x, int y) const;

private:
    int m_cellWidth = 1;
    int m_cellHeight = 1;
    int m_viewWidth = 0;
    int m_viewHeight = 0;
    int m_columns = 0;
    int m_gridRows = 0;
    int m_firstColumn = 0;
    int m_firstRow = 0;
};

} // namespace qmx::maps
