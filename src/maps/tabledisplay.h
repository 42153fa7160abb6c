#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "maps/displayformat.h"
#include "maps/map.h"
#include "maps/mapset.h"
#include "maps/tablelayout.h"

// The table window as it shows the current map: its layout and scroll position, the picture the
// widget paints, what lies under a point and where the edit box sits.
namespace qmx::maps {

// The cell under a point of the window.
struct TableHit {
    EditTarget target = EditTarget::None; // None: nothing there
    int row = 0;                          // row of a Y or per-row X value; the Z index
    int index = 0;                        // column of a Y or X value; the Z index
    std::uint16_t raw = 0;
};

enum class CellStyle {
    Plain,    // black on white
    Selected, // white on navy
    Current,  // black on the current-cell colour
};

struct PaintCell {
    PixelRect rect;
    std::string text; // drawn right-aligned, 4 pixels in from the right edge
    CellStyle style = CellStyle::Plain;
};

// Everything the widget draws, in window pixels.
struct TablePicture {
    PixelRect gridPane;            // white, ruled between the cells
    PixelRect emptyArea;           // right of the last column; empty when none
    std::vector<PaintCell> header; // Z column and X row: values, or labels of a labelled map
    std::vector<PaintCell> grid;   // the visible Y values (and per-row X values)
};

class TableDisplay {
public:
    // Shows the current map of `maps` with `formats`; both must outlive the display. Cells are
    // at least `cellWidth` × `cellHeight` pixels (the table-window settings).
    TableDisplay(const MapSet& maps, const DisplayFormats& formats, int cellWidth, int cellHeight);

    // Every text a cell of the current map may show: its values and labels now, and each value
    // set's texts at its lowest and highest raw value.
    std::vector<std::string> cellTexts() const;
    // Fits the cells to their texts: `widestText` and `textHeight` are pixels in the font used.
    // A cell holds its text with 4 pixels on either side and a line of the grid; it is never
    // smaller than the settings' size.
    void fitCells(int widestText, int textHeight);
    // The grid pane's client size in pixels; recomputes bars and ranges.
    void setViewSize(int width, int height);
    // Scroll position in cells (from the scroll bars), pulled into range.
    void scrollTo(int firstColumn, int firstRow) { m_layout.scrollTo(firstColumn, firstRow); }
    // Takes the current map's size again and keeps the scroll position in range.
    void syncExtent();
    // Scrolls the least distance that shows the current cell whole.
    void scrollToCurrent();
    const TableLayout& layout() const { return m_layout; }
    // Grid rows per Z value: 2 for maps with an X row per Z value (that row above its Y row).
    int rowsPerZ() const;

    TablePicture picture() const;
    // The frame caption: "TABLE -" and the map title (the names edited together).
    std::string caption() const;
    // The cell under window point (x, y): a grid cell or an axis value of the header; axis
    // values of a labelled map and points outside the cells hit nothing.
    TableHit hitTest(int x, int y) const;
    // Where the edit box sits: over the current cell.
    PixelRect editRect() const;

private:
    int gridRowOf(EditTarget target, int row) const;
    TableHit cellAt(const Map& map, LayoutHit hit) const;

    const MapSet& m_maps;
    const DisplayFormats& m_formats;
    int m_minimumWidth;
    int m_minimumHeight;
    TableLayout m_layout;
};

} // namespace qmx::maps
