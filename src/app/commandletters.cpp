#include "app/commandletters.h"

#include <string_view>

namespace qmx::app {

std::uint8_t CommandLetters::byteFor(char letter) const {
    constexpr std::string_view kLetters = "JjLMmNSsWRV";
    return kLetters.find(letter) == std::string_view::npos ? 0 : static_cast<std::uint8_t>(letter);
}

} // namespace qmx::app
