#pragma once

#include <optional>
#include <string>

// The warning that tells the user which value was set in place of a typed value outside its
// range. The core describes it; the front end shows it.
namespace qmx::maps {

struct ValueInterval {
    float lo = 0.0f;
    float hi = 0.0f;
};

struct RangeWarning {
    float typed = 0.0f;
    ValueInterval range;                 // the valid range, or the lower of two intervals
    std::optional<ValueInterval> second; // the upper interval when both are involved
    float set = 0.0f;                    // the physical value actually set

    // InputRangeOver (1525) for one range, InputRangeOverTwoIntervals (1531) for two.
    int message() const;
    // The message text filled with the values, each with two decimals.
    std::string text() const;
};

} // namespace qmx::maps
