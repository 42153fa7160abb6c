#include "maps/rawstep.h"

#include <algorithm>
#include <cstdlib>

#include "maps/conversion.h"
#include "maps/editstate.h"
#include "text/numbers.h"

namespace qmx::maps {

namespace {

bool outside(const InputRange& range, float value) {
    return value < range.lo || value > range.hi;
}

std::optional<std::int32_t> rawUnits(const Map& map, std::int32_t raw, int steps,
                                     const InputRange& range) {
    const int direction = steps > 0 ? 1 : -1;
    const RawLimits limits = yRawLimits(map.y);
    std::int32_t target = raw + steps;
    target = direction > 0 ? std::min({target, limits.highest, 0xFF})
                           : std::max({target, limits.lowest, 0});
    const Converted<float> physical = toPhysical(map.y, static_cast<std::uint16_t>(target));
    if (physical.ok() && outside(range, physical.value))
        target -= direction;
    return target;
}

std::optional<std::int32_t> stepGrid(const Map& map, std::int32_t raw, int steps,
                                     const InputRange& range, const DisplayFormats& formats) {
    const float step = map.y.step;
    const int direction = steps > 0 ? 1 : -1;
    const std::string text =
        formatY(toPhysical(map.y, static_cast<std::uint16_t>(raw)).value, map, formats);
    const float shown = text::scanFloat(text).value_or(0.0f);
    for (int distance = std::abs(steps); distance > 0; --distance) {
        const float value = shown + static_cast<float>(direction * distance) * step;
        if (outside(range, value))
            continue;
        const Converted<std::int32_t> converted = toRawWhole(map.y, value);
        if (!converted.ok())
            return std::nullopt;
        return std::clamp(yRawLimits(map.y).apply(converted.value), 0, 0xFF);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint8_t> steppedYRaw(const Map& map, std::uint8_t raw, int steps,
                                        const DisplayFormats& formats) {
    if (steps == 0 || (steps > 0 && raw == 0xFF) || (steps < 0 && raw == 0))
        return std::nullopt;
    const InputRange range = inputRange(map.y);
    const std::optional<std::int32_t> target = map.y.step == 0.0f
                                                   ? rawUnits(map, raw, steps, range)
                                                   : stepGrid(map, raw, steps, range, formats);
    if (!target || *target == raw)
        return std::nullopt;
    // A raw-unit move never reverses direction, even when the limits lie behind the value.
    if (map.y.step == 0.0f && (steps > 0) != (*target > raw))
        return std::nullopt;
    return static_cast<std::uint8_t>(*target);
}

} // namespace qmx::maps
