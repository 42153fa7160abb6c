#pragma once

#include <cstdint>
#include <optional>

#include "maps/displayformat.h"
#include "maps/map.h"

// The one raise/lower routine of Y values, shared by the table window, the map window's keys
// and the map bar's buttons.
namespace qmx::maps {

// The raw value that raising (`steps` > 0) or lowering (`steps` < 0) the Y value `raw` of
// `map` by |steps| steps gives; nothing when the value cannot move (at 255 for a raise, at 0
// for a lower, at a limit, or outside the input range).
// Without a Y step: |steps| raw units, never beyond the Y limits, one less when
// the result's physical value would leave the input range. With a step: the displayed value
// moves by |steps| × step, shrinking by one step until it stays within the input range; the
// result is kept within the Y limits and 0..255.
std::optional<std::uint8_t> steppedYRaw(const Map& map, std::uint8_t raw, int steps,
                                        const DisplayFormats& formats);

} // namespace qmx::maps
