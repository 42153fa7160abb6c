// The map expression evaluator on arbitrary text with a few inputs, including the extremes of
// a word axis and values that overflow a float.
#include <cmath>
#include <limits>

#include "fuzzsupport.h"
#include "maps/expression.h"

using namespace qmx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr float Inputs[] = {0.0f,    1.0f,     -1.0f,
                                       0.5f,    255.0f,   65535.0f,
                                       3.0e38f, -3.0e38f, std::numeric_limits<float>::denorm_min()};
    const std::string_view text = fuzz::bytesOf(data, size);
    for (const float x : Inputs) {
        const auto result = maps::evaluateExpression(text, x);
        fuzz::require(!result.ok() || std::isfinite(result.value), "an accepted result is finite");
        fuzz::require(result.ok() || result.value == 0.0f, "a failure gives 0");
    }
    return 0;
}
