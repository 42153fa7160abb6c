#pragma once

#include "maps/map.h"
#include "text/messagesink.h"

// The raw range a map window plots, X low to X high across and data low to data high upward,
// taken from the display limits of the map's X axis and data.
namespace qmx::maps {

// How a map window places the X axis of a map.
enum class PlotLayout {
    FreeMap,          // free maps: X breakpoints from the image, raw 0 at the left edge
    ImageBreakpoints, // addressed config maps: X breakpoints from the image, X low at the left
    AxisLabels,       // labelled config maps: X positions from the numbers of the axis labels
};

PlotLayout plotLayoutOf(const Map& map);

struct PlotRange {
    int xLow = 0;
    int dataLow = 0;
    int xHigh = 0xFF;
    int dataHigh = 0xFF;
};

// The plotted range of `map`. Each bound is the raw value of its display limit, taken in the
// order X low, data low, X high, data high; a low limit below the raw range gives 0 and a high
// limit above it gives the cap (255, or 65535 for word X values). Any other conversion failure
// is shown on `sink` as an error captioned "Map Window[axis name]" and leaves the bounds not
// taken yet at 0 and 255. A crossed data range then starts at 0, else a crossed X range does.
PlotRange plotRange(const Map& map, text::MessageSink& sink);

} // namespace qmx::maps
