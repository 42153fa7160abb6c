#include "text/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace qmx::text {

namespace {

// The "C" locale, created once; the handle is immutable and shared by every caller.
locale_t cLocale() {
    static const locale_t handle = newlocale(LC_ALL_MASK, "C", locale_t{});
    return handle;
}

// Switches the calling thread to the "C" locale for the lifetime of the object.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous;
};

} // namespace

std::optional<ScannedNumber> scanDouble(std::string_view text) {
    const std::string copy(text); // strtod needs a terminated string
    char* end = nullptr;
    double value;
    {
        const CLocaleScope scope;
        value = std::strtod(copy.c_str(), &end);
    }
    const auto length = static_cast<std::size_t>(end - copy.c_str());
    if (length == 0)
        return std::nullopt;
    return ScannedNumber{value, length};
}

std::optional<float> scanFloat(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    float value;
    {
        const CLocaleScope scope;
        value = std::strtof(copy.c_str(), &end);
    }
    if (end == copy.c_str())
        return std::nullopt;
    return value;
}

float narrowToFloat(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::infinity();
    if (value < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::int32_t truncToInt32(double value) {
    if (std::isnan(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (truncated <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(truncated);
}

} // namespace qmx::text
