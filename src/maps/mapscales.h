#pragma once

#include "maps/map.h"
#include "maps/plotrange.h"

// The scales of a map window's plot: how many raw units a stretch of pixels holds, where raw
// values and X labels lie, and how far apart the axis labels are. Everything is computed in
// closed form from the plotted range and the plot's size.
namespace qmx::maps {

struct MapScales {
    PlotLayout layout = PlotLayout::FreeMap;
    PlotRange range;
    int plotWidth = 0;
    int plotHeight = 0;
    int yScale = 1;              // raw data units per 100 pixels, at least 1
    int xScale = 1;              // raw X units per 1000 pixels, at least 1
    int xOrigin = 0;             // the raw X value at the left edge (X in the image)
    float xLabelMin = 0.0f;      // the X display minimum at the left edge (labelled X axes)
    float verticalStep = 0.0f;   // physical distance of the vertical labels
    float horizontalStep = 0.0f; // physical distance of the horizontal labels; 0 when labelled
    // False when the plot is too small to hold a scale (no width, or no more height than the
    // 10 pixels kept free at the top): then nothing is drawn.
    bool drawable = false;

    // Plot y of data raw value `raw`: plot height - (raw - data low) × 100 / Y scale.
    int yOf(int raw) const;
    // Plot x of X raw value `raw`: (raw - X origin) × 1000 / X scale.
    int xOfRaw(int raw) const;
    // Plot x of X label value `value`: (value - X minimum) × 1000 / X scale, truncated.
    int xOfLabel(float value) const;
    // The data raw value at plot y `y`: (plot height - y) × Y scale / 100 + data low.
    int rawAtY(int y) const;
    // The X raw value at plot x `x`: x × X scale / 1000 + X origin.
    int rawAtX(int x) const;
};

// The scales of `map` plotted over `range` in a plot of `plotWidth` × `plotHeight` pixels:
// the Y scale is the smallest n for which n × (plot height - 10) / 100 exceeds the data span,
// the X scale the smallest n for which n × plot width / 1000 exceeds the X span (for labelled
// X axes, over the span of the whole X display limits, one less unless that puts the X maximum
// past the plot's right edge); label steps are the first of
// a power-of-ten series that is not below the physical span of 20 (vertical) or 50
// (horizontal) pixels.
MapScales mapScales(const Map& map, const PlotRange& range, int plotWidth, int plotHeight);

// The smallest n >= 0 for which n × `pixels` / `per` (integer division) exceeds `span`; -1
// when there is none (no pixels).
long long smallestScale(long long span, int pixels, int per);

// The label step for a physical span `span` of the label distance and `unit` of one raw unit:
// p = 10, or the first power of ten above `span` when it is 10 or more; then the first of p /
// 20 (when `withTwentieth`), p / 10, 2p / 10 and 5p / 10 that is at least `span` and `unit`,
// else p.
float labelStep(float span, float unit, bool withTwentieth);

// The physical value of X label `index` of a labelled map: the number the label starts with,
// or, for a label that is no number, its index.
float labelValue(const Map& map, int index);

} // namespace qmx::maps
