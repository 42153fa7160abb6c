#include "maps/mapgeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "maps/conversion.h"

namespace qmx::maps {

namespace {

constexpr int kLabelGap = 5;       // between a vertical label and the plot; plot to X labels
constexpr int kBaselineDrop = 3;   // a vertical label's baseline lies this far below its tick
constexpr int kTickLength = 5;     // of a labelled X position (the short tick is 2)
constexpr int kLabelDistance = 10; // least room between two labels of a labelled X axis

float physical(const MapAxis& axis, int raw) {
    return toPhysical(axis, static_cast<std::uint16_t>(std::clamp(raw, 0, 0xFFFF))).value;
}

bool usableStep(float step) {
    return std::isfinite(step) && step > 0.0f;
}

} // namespace

std::vector<ScaleValue> verticalValues(const Map& map, const MapScales& s) {
    std::vector<ScaleValue> values;
    if (!s.drawable || !usableStep(s.verticalStep))
        return values;
    double start = std::trunc(physical(map.y, s.range.dataLow));
    const double whole = std::trunc(s.verticalStep);
    if (whole >= 1.0)
        start = std::floor(start / whole) * whole;
    // Accepted values lie at least a pixel apart; skipped ones end within the same count.
    for (int i = 0; i < s.plotHeight + 2; ++i) {
        const float value = static_cast<float>(start) + static_cast<float>(i) * s.verticalStep;
        const Converted<std::int32_t> raw = toRawWhole(map.y, value);
        if (!raw.ok())
            break;
        if (raw.value < s.range.dataLow)
            continue;
        const long long offset =
            (static_cast<long long>(raw.value) - s.range.dataLow) * 100 / s.yScale;
        if (offset > s.plotHeight)
            break;
        values.push_back({value, s.plotHeight - static_cast<int>(offset)});
    }
    return values;
}

MapGeometry::MapGeometry(const Map& map, const PlotRange& range, const DisplayFormats& formats,
                         const LabelFont& font, int width, int height)
    : m_width(width), m_height(height),
      m_bottomMargin(std::max(kBottomMargin, 2 * font.height + 2)), m_yTitle(map.y.name) {
    const int plotHeight = height - m_bottomMargin;
    // The vertical labels depend on the plot's height only: measure them first, then widen the
    // left margin so that the widest stays clear of the rotated title.
    const MapScales provisional = mapScales(map, range, width - kLeftMargin, plotHeight);
    int widest = 0;
    for (const ScaleValue& v : verticalValues(map, provisional))
        widest = std::max(widest, font.width(formatY(v.value, map, formats)));
    const int titleRight = kTitleCentre + font.height / 2 + 2;
    m_leftMargin = std::max(kLeftMargin, titleRight + widest + kLabelGap);
    m_scales = mapScales(map, range, width - m_leftMargin, plotHeight);
    if (!m_scales.drawable)
        return;
    layOutVertical(map, formats, font);
    layOutHorizontal(map, formats, font);
    const int titleWidth = font.width(map.x.name);
    m_xTitle = {
        map.x.name,
        {width / 2 - titleWidth / 2, plotHeight + 2 + font.height, titleWidth, font.height}};
}

PixelRect MapGeometry::plot() const {
    return {m_leftMargin, 0, m_scales.plotWidth, m_scales.plotHeight};
}

void MapGeometry::layOutVertical(const Map& map, const DisplayFormats& formats,
                                 const LabelFont& font) {
    const int right = m_leftMargin - kLabelGap;
    for (const ScaleValue& v : verticalValues(map, m_scales)) {
        std::string text = formatY(v.value, map, formats);
        const int w = font.width(text);
        const int top = std::max(0, v.y + kBaselineDrop - font.ascent);
        m_vertical.labels.push_back({std::move(text), {right - w, top, w, font.height}});
        if (v.y < m_scales.plotHeight)
            m_vertical.ticks.push_back({right + 1, v.y, m_leftMargin - 1, v.y});
    }
}

bool MapGeometry::addCentredLabel(std::string text, int x, const LabelFont& font, bool tick) {
    const int w = font.width(text);
    if (x + w / 2 >= m_width)
        return false;
    const int top = m_scales.plotHeight + kLabelGap;
    m_horizontal.labels.push_back({std::move(text), {x - w / 2, top, w, font.height}});
    if (tick)
        m_horizontal.ticks.push_back(
            {x, m_scales.plotHeight, x, m_scales.plotHeight + kTickLength - 1});
    return true;
}

void MapGeometry::layOutHorizontal(const Map& map, const DisplayFormats& formats,
                                   const LabelFont& font) {
    const MapScales& s = m_scales;
    if (s.layout == PlotLayout::AxisLabels) {
        layOutLabelledAxis(map, font);
        return;
    }
    if (!usableStep(s.horizontalStep))
        return;
    float start = physical(map.x, s.xOrigin);
    if (s.layout == PlotLayout::FreeMap) {
        // Raw 0 is labelled at the left edge without a tick; the steps start one step on.
        addCentredLabel(formatX(start, formats), m_leftMargin, font, false);
        start = std::trunc(start + s.horizontalStep);
    }
    for (int i = 0; i < s.plotWidth + 2; ++i) {
        const float value = start + static_cast<float>(i) * s.horizontalStep;
        const Converted<std::int32_t> raw = toRawWhole(map.x, value);
        if (!raw.ok())
            break;
        const int x = m_leftMargin + s.xOfRaw(raw.value);
        if (x >= m_width)
            break;
        if (x >= m_leftMargin)
            addCentredLabel(formatX(value, formats), x, font, true);
    }
}

void MapGeometry::layOutLabelledAxis(const Map& map, const LabelFont& font) {
    const MapScales& s = m_scales;
    const int top = s.plotHeight + kLabelGap;
    int previousRight = INT_MIN / 2;
    for (int i = 0; i < map.columns(); ++i) {
        const int x = m_leftMargin + s.xOfLabel(labelValue(map, i));
        if (x < m_leftMargin || x >= m_width)
            continue;
        std::string text = map.x.label(i);
        const int w = font.width(text);
        // Kept whole: a label at the right edge moves left into the window.
        const int left = std::max(0, std::min(x - w / 2, m_width - w));
        if (left <= previousRight + kLabelDistance) {
            m_horizontal.ticks.push_back({x, s.plotHeight, x, s.plotHeight + 1});
            continue;
        }
        m_horizontal.labels.push_back({std::move(text), {left, top, w, font.height}});
        m_horizontal.ticks.push_back({x, s.plotHeight, x, s.plotHeight + kTickLength - 1});
        previousRight = left + w;
    }
}

} // namespace qmx::maps
