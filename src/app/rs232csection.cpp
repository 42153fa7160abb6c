#include "app/rs232csection.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/linesettingtext.h"
#include "config/linerules.h"
#include "platform/comports.h"

namespace qmx::app {

namespace {

// Sets `index` to the position of `value` in `texts`; unlisted values change nothing.
template <std::size_t N>
void applyListed(const std::optional<std::string>& value,
                 const std::array<std::string_view, N>& texts, std::int32_t& index) {
    if (!value)
        return;
    for (std::size_t i = 0; i < N; ++i) {
        if (*value == texts[i]) {
            index = static_cast<std::int32_t>(i);
            return;
        }
    }
}

} // namespace

void applyRs232cSection(const config::CLineList& lines, LineIndexes& line,
                        std::int32_t& commandRetryCount) {
    const auto value = [&](std::string_view key) {
        return config::keyedValue(lines, "RS232C", key, '=');
    };
    applyListed(value("Speed"),
                std::array<std::string_view, 6>{"600", "1200", "2400", "4800", "9600", "19200"},
                line.baud);
    applyListed(value("Data"), std::array<std::string_view, 2>{"7", "8"}, line.data);
    applyListed(value("Parity"), std::array<std::string_view, 3>{"NO", "ODD", "EVEN"}, line.parity);
    applyListed(value("Stop"), std::array<std::string_view, 3>{"1", "1.5", "2"}, line.stop);
    applyListed(value("X"), std::array<std::string_view, 2>{"YES", "NO"}, line.flow);
    if (const auto retry = value("CommandRetrycount")) {
        if (const auto count = config::parseDecimal(*retry); count && *count >= 0)
            commandRetryCount = *count;
    }
    if (line.port == -1) {
        if (const auto port = value("CommPort"))
            line.port = platform::portIndexFromName(*port);
    }
}

} // namespace qmx::app
