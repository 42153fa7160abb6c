#pragma once

#include <optional>

#include "maps/calibration.h"
#include "maps/rangewarning.h"

// A physical value typed for a calibration constant, turned into the raw value to store.
namespace qmx::maps {

struct TypedConstant {
    enum class Result {
        Converted,      // `raw` is the value to store
        NotConvertible, // the formula gives no raw value; the entry keeps its current raw value
        NotEditable,    // the entry's valid range is empty ("A value cannot be edited.")
    };
    Result result = Result::Converted;
    float raw = 0.0f; // a whole number within the entry's floor and ceiling
    // Set when the typed value lay outside the valid range and the user is to be told which
    // value was set: kinds 1, 2, 4 and 5 when both input limits are given, kind 3 always.
    std::optional<RangeWarning> warning;
};

// Converts `typed` for `entry`. Kinds 1, 2, 4 and 5: the valid range is the physical image of
// the raw range, narrowed by the input limits; a value outside it becomes the nearer end,
// moved by one raw step when that end's raw value still reads outside. Kind 3: two intervals,
// one for raw values with the sign bit clear and one with it set; a value outside both
// becomes the nearest interval end. Raw values round half away from zero.
TypedConstant convertTypedConstant(const CalibEntry& entry, float typed);

} // namespace qmx::maps
