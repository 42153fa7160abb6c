#include "maps/mapdrag.h"

#include <algorithm>

#include "maps/conversion.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"

namespace qmx::maps {

std::uint16_t droppedPointRaw(const Map& map, std::uint16_t edited) {
    const MapAxis& y = map.y;
    const InputRange range = inputRange(y);
    const RawLimits limits = yRawLimits(y);
    const auto physicalOf = [&](std::int32_t raw) {
        return toPhysical(y, static_cast<std::uint16_t>(std::clamp(raw, 0, 0xFF)));
    };
    const Converted<float> dragged = physicalOf(edited);
    if (!dragged.ok())
        return edited;
    float value = snapToStep(dragged.value, y.step);
    if (value > range.hi)
        value = physicalOf(limits.highest).value;
    else if (value < range.lo)
        value = physicalOf(limits.lowest).value;
    const Converted<std::int32_t> converted = toRawWhole(y, value);
    if (!converted.ok())
        return edited;
    return static_cast<std::uint16_t>(keepInInputRange(limits, y, converted.value));
}

} // namespace qmx::maps
