#include "maps/rangewarning.h"

#include <string_view>
#include <vector>

#include "text/messages.h"
#include "text/numbers.h"

namespace qmx::maps {

int RangeWarning::message() const {
    return second ? text::msg::InputRangeOverTwoIntervals : text::msg::InputRangeOver;
}

std::string RangeWarning::text() const {
    std::vector<float> values{typed, range.lo, range.hi};
    if (second) {
        values.push_back(second->lo);
        values.push_back(second->hi);
    }
    values.push_back(set);

    // Each "%.2f" of the message takes the next value; the values are never part of a format.
    constexpr std::string_view placeholder = "%.2f";
    const std::string_view pattern = text::messageText(message());
    std::string text;
    std::size_t next = 0;
    std::size_t from = 0;
    for (std::size_t at = pattern.find(placeholder); at != std::string_view::npos;
         at = pattern.find(placeholder, from)) {
        text.append(pattern.substr(from, at - from));
        text += next < values.size() ? text::formatFixed(values[next++], 2) : std::string{};
        from = at + placeholder.size();
    }
    text.append(pattern.substr(from));
    return text;
}

} // namespace qmx::maps
