#pragma once

#include <optional>
#include <vector>

#include "config/ecuimage.h"
#include "maps/map.h"
#include "maps/mapscales.h"
#include "maps/pixelrect.h"

// What a map window's plot shows, in plot pixels: the grid at the X breakpoints, one polyline per
// line of the map, and the mark of the selected point or column; and what lies under a point.
namespace qmx::maps {

// Colour numbers of the plot: 0..19 the standard 20-colour palette, kGridColour light grey.
constexpr int kGridColour = -1;

// A polyline in one colour and width.
struct PlotStroke {
    std::vector<PixelPoint> points;
    int colour = 0;
    int width = 1;
};

struct PlotPicture {
    std::vector<int> grid;               // x of each light-grey grid line over the full height
    std::vector<PlotStroke> strokes;     // in drawing order, the current line thicker
    std::optional<PixelPoint> pointMark; // centre of the inverted 7 × 7 square
    std::optional<int> columnMark;       // x of the red column line
};

// The palette colour of line `line`: its index for the first 20 lines; later lines cycle through
// the 19 colours before white.
int lineColour(int line);

// Whether the plot shows every line: the all-lines option on a map with at least two lines.
bool showsAllLines(const Map& map);

// Plot x of the X breakpoints of line `line` (its own breakpoints for a per-row-X map): raw
// breakpoints kept within the plotted X range when there are at least two, or label positions
// for a labelled X axis.
std::vector<int> breakpointXs(const Map& map, const config::EcuImage& image,
                              const MapScales& scales, int line);

// The plot points of line `line`, in point order: at the x of their breakpoint and the y of
// their cell.
std::vector<PixelPoint> linePoints(const Map& map, const config::EcuImage& image,
                                   const MapScales& scales, int line);

// The picture of the plot. With `openPoint`, the current line is drawn without the two
// segments that meet at that point (a line of one point not at all): the background of a drag.
PlotPicture plotPicture(const Map& map, const config::EcuImage& image, const MapScales& scales,
                        std::optional<int> openPoint = std::nullopt);

// A stroke of one point's height over the full plot width, as a line of one point is drawn.
PlotStroke flatStroke(const MapScales& scales, int y, int colour, int width);

// What lies under plot point (x, y): within 3 pixels each way of a point of the current line
// (the first in point order), else of a point of any line when all lines show, else (free maps
// only, and not a per-row-X map showing all lines) within 3 pixels across of a breakpoint of
// the current line: target Y with its line and point, X with the current line and the column,
// or None.
struct PlotHit {
    EditTarget target = EditTarget::None;
    int line = 0;
    int index = 0;
};
PlotHit hitTest(const Map& map, const config::EcuImage& image, const MapScales& scales, int x,
                int y);

// Whether the selected column of the map can be chosen and moved: free maps, and not a
// per-row-X map showing all lines.
bool columnsSelectable(const Map& map);

} // namespace qmx::maps
