#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/numberformat.h"

// Numbers read and printed independent of the process locale, and narrowing conversions that
// never leave their target's range.
namespace qmx::text {

// A number read from the start of `text` with the C library's decimal rules in the "C" locale
// (leading white space, optional sign, digits with fraction and exponent, "inf", "nan"):
// the value and the number of characters consumed; nothing when no number starts the text.
// A magnitude beyond the range of double reads as infinity.
struct ScannedNumber {
    double value = 0.0;
    std::size_t length = 0;
};
std::optional<ScannedNumber> scanDouble(std::string_view text);

// `text` read the way the "%f" input conversion reads a float; nothing when no number starts
// the text.
std::optional<float> scanFloat(std::string_view text);

// `value` as a float: out-of-range magnitudes become infinity instead of undefined behaviour.
float narrowToFloat(double value);

// `value` truncated toward zero to a signed 32-bit number, saturating at both ends; NaN gives 0.
std::int32_t truncToInt32(double value);

} // namespace qmx::text
