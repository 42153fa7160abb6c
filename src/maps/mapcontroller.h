#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "maps/displayformat.h"
#include "maps/mapbarcontent.h"
#include "maps/mapdrag.h"
#include "maps/mapgeometry.h"
#include "maps/mapset.h"
#include "maps/plotpicture.h"
#include "maps/plotrange.h"
#include "maps/tablecommands.h"
#include "text/messagesink.h"

// The map window without the window: it draws the current map of a document as one curve per
// line over its X axis, and turns presses, drags and keys into selections and map writes. The
// widget paints the geometry and pictures it gives (mouse positions are plot pixels) and passes
// on what each input did.
namespace qmx::maps {

// Edit operation codes of the plain arrow keys, which reach the map window itself only while a
// column is selected (the frame's keys take them otherwise).
namespace mapcmd {
constexpr int ArrowLeft = 1;
constexpr int ArrowRight = 2;
constexpr int ArrowUp = 5;
constexpr int ArrowDown = 6;
} // namespace mapcmd

// What an input did, for the window to pass on.
struct MapEffect {
    bool selectionMoved = false; // another point or column became current: the others refresh
    bool valueShown = false;     // the edited value changed: the others are told it
    bool valuesChanged = false;  // a value was written into the image
};

class MapController {
public:
    // Shows the current map of `maps`; messages go to `sink`. Both must outlive the controller.
    // Builds the plotted range of the current map (conversion failures are shown).
    MapController(MapSet& maps, text::MessageSink& sink, const DisplayFormats& formats);

    // --- Layout -------------------------------------------------------------------------------
    // The labels' font; lays the window out again.
    void setFont(LabelFont font);
    // The window's client size; ignored unless both are above 0.
    void resize(int width, int height);
    // The current map changed: any drag ends without writing, the plotted range is built again
    // (conversion failures are shown) and the window is laid out again.
    void mapChanged();
    const MapGeometry& geometry() const { return m_geometry; }

    // --- Painting -----------------------------------------------------------------------------
    PlotPicture picture() const;
    // During a drag: the plot as it stood when the drag began, without the two segments that
    // meet at a dragged point.
    PlotPicture dragBackground() const;
    // During a drag, what is drawn over the background: the segments from the neighbours to the
    // dragged point (a full-width line for a line of one point) in the line's colour, or a
    // light-grey line over the full height at a dragged breakpoint; both 2 pixels wide.
    std::vector<PlotStroke> dragStrokes() const;
    // The frame caption: "MAP - " and the names of the maps edited together with the current.
    std::string caption() const;
    // The map bar's value fields: the current cell's X and data values, or while dragging the
    // dragged value in place of its own.
    ValueTexts valueTexts() const;
    // The value being dragged, or else the current cell's raw value.
    std::uint16_t editedValue() const;

    // --- Mouse (plot pixels) ------------------------------------------------------------------
    // Left button down: a press on the selected point or column begins dragging it (capture the
    // mouse while dragging()); a press on another point or column of the hit test selects it
    // and ends the table's block selection. Nothing while a drag runs or nothing is hit.
    MapEffect pressLeft(int x, int y);
    // Mouse moved while dragging: the value under the pointer, kept within the cell's limits,
    // becomes the edited value. Positions outside the plot and unchanged ones are ignored.
    MapEffect moveTo(int x, int y);
    // Left button up ends a drag: a point is stored by the drop rule (droppedPointRaw), a
    // breakpoint as dragged, each only when it changed and with an undo record of the Drag
    // family. When the dragged cell is no longer the current one, nothing is written and a
    // "Data error" box captioned "Map Window" says so.
    MapEffect releaseLeft();
    // Right button down cancels a drag: the edited value returns to where it started.
    MapEffect pressRight();
    bool dragging() const { return m_drag.active(); }

    // --- Keys ---------------------------------------------------------------------------------
    // An edit operation code. A selected point moves along its line (1, 15, 22 back; 2, 16, 23
    // on), to the same point of the previous or next line (13, 20; 14, 21), or is raised and
    // lowered by the raise/lower routine (11, 31; 12, 32) with a merging Step undo record. A
    // selected column (when columns are selectable) is lowered or raised by one raw unit within
    // its limits (1, 2) or moves to the next or previous column (5, 6). Every other code, and
    // every code during a drag, does nothing.
    MapEffect command(int code);
    // Whether the plain arrow keys belong to the window (as codes 1, 2, 5, 6): while a column
    // is selected.
    bool takesPlainArrows() const;
    // Ends a block selection of two or more cells of the table; false when there was none.
    bool endBlockSelection();

private:
    void layOut();
    MapEffect pointCommand(Map& map, int code);
    MapEffect columnCommand(Map& map, int code);
    MapEffect selectPoint(Map& map, int line, int point, bool anchor);
    MapEffect selectColumn(Map& map, int column);
    MapEffect stepPoint(Map& map, int steps);
    MapEffect stepColumn(Map& map, int direction);
    void beginDrag(const Map& map, DragKind kind, PixelPoint at);

    MapSet& m_maps;
    text::MessageSink& m_sink;
    DisplayFormats m_formats;
    LabelFont m_font;
    int m_width = 0;
    int m_height = 0;
    PlotRange m_range;
    MapGeometry m_geometry;
    MapDrag m_drag;
};

} // namespace qmx::maps
