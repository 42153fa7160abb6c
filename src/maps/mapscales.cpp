#include "maps/mapscales.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "maps/conversion.h"
#include "text/numbers.h"

namespace qmx::maps {

namespace {

// The physical value of raw `raw` of `axis`; 0 when the conversion fails.
float physical(const MapAxis& axis, long long raw) {
    return toPhysical(axis, static_cast<std::uint16_t>(std::clamp(raw, 0LL, 0xFFFFLL))).value;
}

int scaleOf(long long n) {
    return static_cast<int>(std::clamp(n, 1LL, static_cast<long long>(INT_MAX)));
}

} // namespace

int MapScales::yOf(int raw) const {
    return plotHeight -
           static_cast<int>((static_cast<long long>(raw) - range.dataLow) * 100 / yScale);
}

int MapScales::xOfRaw(int raw) const {
    return static_cast<int>((static_cast<long long>(raw) - xOrigin) * 1000 / xScale);
}

int MapScales::xOfLabel(float value) const {
    return text::truncToInt32((static_cast<double>(value) - xLabelMin) * 1000.0 / xScale);
}

int MapScales::rawAtY(int y) const {
    return static_cast<int>(static_cast<long long>(plotHeight - y) * yScale / 100 + range.dataLow);
}

int MapScales::rawAtX(int x) const {
    return static_cast<int>(static_cast<long long>(x) * xScale / 1000 + xOrigin);
}

long long smallestScale(long long span, int pixels, int per) {
    if (span < 0)
        return 0;
    if (pixels <= 0)
        return -1;
    // n × pixels / per > span  <=>  n × pixels >= per × (span + 1)
    const long long needed = static_cast<long long>(per) * (span + 1);
    return (needed + pixels - 1) / pixels;
}

float labelStep(float span, float unit, bool withTwentieth) {
    float p = 10.0f;
    // Float powers of ten end at infinity after 38 steps.
    for (int power = 1; power < 40 && span >= 10.0f && p <= span; ++power)
        p *= 10.0f;
    const float candidates[] = {p / 20.0f, p / 10.0f, 2.0f * p / 10.0f, 5.0f * p / 10.0f};
    for (std::size_t i = withTwentieth ? 0 : 1; i < std::size(candidates); ++i) {
        if (candidates[i] >= span && candidates[i] >= unit)
            return candidates[i];
    }
    return p;
}

float labelValue(const Map& map, int index) {
    return text::scanFloat(map.x.label(index)).value_or(static_cast<float>(index));
}

MapScales mapScales(const Map& map, const PlotRange& range, int plotWidth, int plotHeight) {
    MapScales s;
    s.layout = plotLayoutOf(map);
    s.range = range;
    s.plotWidth = plotWidth;
    s.plotHeight = plotHeight;

    const long long yNeeded = smallestScale(range.dataHigh - range.dataLow, plotHeight - 10, 100);
    long long xNeeded = 0;
    if (s.layout == PlotLayout::AxisLabels) {
        s.xLabelMin = limitValue(map.x.min);
        const long long span = static_cast<long long>(text::truncToInt32(limitValue(map.x.max))) -
                               text::truncToInt32(s.xLabelMin);
        xNeeded = smallestScale(span, plotWidth, 1000) - 1;
    } else {
        xNeeded = smallestScale(range.xHigh - range.xLow, plotWidth, 1000);
        s.xOrigin = s.layout == PlotLayout::ImageBreakpoints ? range.xLow : 0;
    }
    s.drawable = plotWidth > 0 && plotHeight > 10;
    s.yScale = scaleOf(yNeeded);
    s.xScale = scaleOf(xNeeded);
    // One unit less spreads a labelled axis wider, but never so wide that its maximum leaves the
    // plot on a wide window.
    if (s.layout == PlotLayout::AxisLabels && s.xOfLabel(limitValue(map.x.max)) > plotWidth)
        s.xScale = scaleOf(xNeeded + 1);

    const float span20 = std::fabs(physical(map.y, s.yScale * 20LL / 100) - physical(map.y, 0));
    const float unit = physical(map.y, 1) - physical(map.y, 0);
    s.verticalStep = labelStep(span20, unit, true);

    const long long raw50 = s.xScale * 50LL / 1000;
    const float lowest = std::numeric_limits<float>::lowest();
    if (s.layout == PlotLayout::FreeMap)
        s.horizontalStep = labelStep(physical(map.x, raw50), lowest, false);
    else if (s.layout == PlotLayout::ImageBreakpoints)
        s.horizontalStep = labelStep(
            physical(map.x, s.xOrigin + raw50) - physical(map.x, s.xOrigin), lowest, false);
    return s;
}

} // namespace qmx::maps
