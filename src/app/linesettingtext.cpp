#include "app/linesettingtext.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace qmx::app {

std::int32_t speedIndex(std::string_view text) {
    constexpr std::array<std::string_view, 6> speeds{"600",  "1200", "2400",
                                                     "4800", "9600", "19200"};
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        if (text == speeds[i])
            return static_cast<std::int32_t>(i);
    }
    return 3;
}

std::int32_t dataIndex(std::string_view text) {
    return text.starts_with('7') ? 0 : 1;
}

std::int32_t parityIndex(std::string_view text) {
    if (text == "ODD")
        return 1;
    return text == "EVEN" ? 2 : 0;
}

std::int32_t stopIndex(std::string_view text) {
    if (text.starts_with("1.5"))
        return 1;
    return text.starts_with('2') ? 2 : 0;
}

std::int32_t flowIndex(std::string_view text) {
    return text == "NO" ? 1 : 0;
}

} // namespace qmx::app
