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

std::int32_t portIndexFromName(std::string_view text) {
    // "PORT1".."PORT8" need no rule of their own: stripping gives 1..8 as well.
    const std::string_view digits =
        text.substr(std::min(text.find_first_not_of("PORT"), text.size()));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return -1;
    int number = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (result.ec != std::errc() || number < 1 || number > 256)
        return -1;
    return number - 1;
}

std::string portName(std::int32_t index) {
    if (index < 0 || index > 255)
        return "PORT1";
    return "PORT" + std::to_string(index + 1);
}

} // namespace qmx::app
