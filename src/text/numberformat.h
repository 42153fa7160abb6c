#pragma once

#include <string>

// Fixed-point display of values, independent of the process locale.
namespace qmx::text {

inline constexpr int kMaxDecimals = 15;

// `decimals` limited to 0..15, the precisions the displays accept.
int clampDecimals(int decimals);

// `value` with `decimals` (limited to 0..15) digits after the point, rounded as the C
// library's "%.*f" rounds, always with "." as the point.
std::string formatFixed(double value, int decimals);

// The decimals of the X, Y and Z display formats (key PRECISION of qmx.INI), each 0..15.
struct NumberFormats {
    int x = 1;
    int y = 1;
    int z = 1;
    bool operator==(const NumberFormats&) const = default;
};

} // namespace qmx::text
