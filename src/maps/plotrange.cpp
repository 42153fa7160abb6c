#include "maps/plotrange.h"

#include "maps/conversion.h"
#include "text/messages.h"

namespace qmx::maps {

namespace {

// The raw value of display limit `limit` of `axis`: byte values by the byte conversion, word
// values by the whole-number conversion checked against 0..65535.
Converted<std::int32_t> rawOfLimit(const MapAxis& axis, const std::string& limit) {
    const float physical = limitValue(limit);
    if (!axis.isWord()) {
        const Converted<std::uint8_t> raw = toRawByte(axis, physical);
        return {raw.code, raw.value};
    }
    const Converted<std::int32_t> raw = toRawWhole(axis, physical);
    if (raw.ok() && raw.value > axis.rawCap())
        return {ConversionCode::AboveByte, 0};
    if (raw.ok() && raw.value < 0)
        return {ConversionCode::BelowByte, 0};
    return raw;
}

} // namespace

PlotLayout plotLayoutOf(const Map& map) {
    switch (map.kind) {
    case MapKind::Shared:
    case MapKind::PerRowX:
        return PlotLayout::FreeMap;
    case MapKind::Addressed:
        return PlotLayout::ImageBreakpoints;
    case MapKind::Labelled:
        break;
    }
    return PlotLayout::AxisLabels;
}

PlotRange plotRange(const Map& map, text::MessageSink& sink) {
    PlotRange range;
    struct Bound {
        const MapAxis& axis;
        const std::string& limit;
        int& value;
        bool low;
    };
    const Bound bounds[] = {{map.x, map.x.min, range.xLow, true},
                            {map.y, map.y.min, range.dataLow, true},
                            {map.x, map.x.max, range.xHigh, false},
                            {map.y, map.y.max, range.dataHigh, false}};
    for (const Bound& bound : bounds) {
        const Converted<std::int32_t> raw = rawOfLimit(bound.axis, bound.limit);
        if (raw.ok()) {
            bound.value = raw.value;
        } else if (bound.low && raw.code == ConversionCode::BelowByte) {
            bound.value = 0;
        } else if (!bound.low && raw.code == ConversionCode::AboveByte) {
            bound.value = bound.axis.rawCap();
        } else {
            reportConversionError(sink, bound.axis, raw.code,
                                  text::messageText(text::msg::MapWindowCaption),
                                  text::messageText(text::msg::UsedWrongEquation));
            break;
        }
    }
    if (range.dataLow > range.dataHigh)
        range.dataLow = 0;
    else if (range.xLow > range.xHigh)
        range.xLow = 0;
    return range;
}

} // namespace qmx::maps
