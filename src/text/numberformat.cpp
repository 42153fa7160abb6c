#include "text/numberformat.h"

#include <algorithm>
#include <charconv>

namespace qmx::text {

int clampDecimals(int decimals) {
    return std::clamp(decimals, 0, kMaxDecimals);
}

std::string formatFixed(double value, int decimals) {
    // Room for the largest double (309 digits), a sign, the point and 15 decimals.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, clampDecimals(decimals));
    return std::string(buffer, result.ptr);
}

} // namespace qmx::text
