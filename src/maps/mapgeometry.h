#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/displayformat.h"
#include "maps/mapscales.h"
#include "maps/pixelrect.h"

// The layout of a map window: the plot area and its margins, the labels and ticks of both axes
// and the two axis titles, all in pixels of the window. The left margin carries the vertical
// labels right-aligned beside the plot and the rotated data name at the left edge; the bottom
// margin the horizontal labels and below them the X axis name. Labels are never cut: the left
// margin widens for labels too wide for it, the bottom margin for a font taller than 14 pixels,
// the topmost vertical label moves down inside the window and a label of a labelled X axis at
// the right edge moves left inside it.
namespace qmx::maps {

// How the labels' font measures text, in pixels.
struct LabelFont {
    // Advance width of a text; by default 7 pixels a character, about a digit of Arial at 14.
    std::function<int(std::string_view)> width = [](std::string_view text) {
        return 7 * static_cast<int>(text.size());
    };
    int ascent = 11; // from the top of a line to its baseline
    int height = 14; // line height
};

// A tick mark: the pixels from (x1, y1) to (x2, y2), both ends included.
struct Tick {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const Tick&) const = default;
};

// A label text and the box it is written in: its top left corner, its width and a line height.
struct AxisLabel {
    std::string text;
    PixelRect box;
};

struct AxisMarks {
    std::vector<AxisLabel> labels;
    std::vector<Tick> ticks;
};

class MapGeometry {
public:
    static constexpr int kLeftMargin = 50;   // at least
    static constexpr int kBottomMargin = 30; // at least
    static constexpr int kTitleCentre = 11;  // x of the centre of the rotated data name

    // Nothing laid out; not drawable.
    MapGeometry() = default;
    // Lays out a window of `width` × `height` pixels showing `map` over `range`, its labels in
    // `formats` measured by `font`.
    MapGeometry(const Map& map, const PlotRange& range, const DisplayFormats& formats,
                const LabelFont& font, int width, int height);

    // False when the plot is too small to hold a scale; nothing is drawn then.
    bool drawable() const { return m_scales.drawable; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // The plot area in window pixels: right of the left margin, above the bottom margin.
    PixelRect plot() const;
    const MapScales& scales() const { return m_scales; }
    // The data labels beside the plot and their ticks.
    const AxisMarks& vertical() const { return m_vertical; }
    // The X labels below the plot and their ticks.
    const AxisMarks& horizontal() const { return m_horizontal; }
    // The X axis name, centred below the labels.
    const AxisLabel& xTitle() const { return m_xTitle; }
    // The data name, rotated 90 degrees counter-clockwise and centred on yTitleCentre().
    const std::string& yTitle() const { return m_yTitle; }
    PixelPoint yTitleCentre() const { return {kTitleCentre, m_height / 2}; }

private:
    void layOutVertical(const Map& map, const DisplayFormats& formats, const LabelFont& font);
    void layOutHorizontal(const Map& map, const DisplayFormats& formats, const LabelFont& font);
    void layOutLabelledAxis(const Map& map, const LabelFont& font);
    // A horizontal label centred on window x `x`; false (nothing added) when it would reach
    // the right edge.
    bool addCentredLabel(std::string text, int x, const LabelFont& font, bool tick);

    int m_width = 0;
    int m_height = 0;
    int m_leftMargin = kLeftMargin;
    int m_bottomMargin = kBottomMargin;
    MapScales m_scales;
    AxisMarks m_vertical;
    AxisMarks m_horizontal;
    AxisLabel m_xTitle;
    std::string m_yTitle;
};

// The data values the vertical labels show and their plot y, bottom to top: from the data low
// value rounded down to a multiple of the step's whole part, in steps of the vertical step;
// values below data low are skipped, and the first value beyond the plot's top ends the list.
struct ScaleValue {
    float value = 0.0f;
    int y = 0;
};
std::vector<ScaleValue> verticalValues(const Map& map, const MapScales& scales);

} // namespace qmx::maps
