#include "maps/conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "text/messages.h"
#include "text/numbers.h"

namespace qmx::maps {

namespace {

// `value` moved `steps` floats up (or down, for a negative count).
float floatsAway(float value, int steps) {
    const float toward = steps < 0 ? -std::numeric_limits<float>::infinity()
                                   : std::numeric_limits<float>::infinity();
    for (int i = 0; i < std::abs(steps); ++i)
        value = std::nextafter(value, toward);
    return value;
}

// The raw result of `physical` through the axis's physical-to-raw expression. A result within
// float rounding noise of a whole number is that whole number: 0.20 × 100 computes as
// 19.999998, and truncating it would store 19. The noise is what the floats next to `physical`
// give (a typed or snapped value carries the rounding of its last float step) widened by two
// float steps of the result (the rounding inside the expression). Every other result is kept
// as computed, for the callers to truncate.
Converted<float> rawResult(const MapAxis& axis, float physical) {
    constexpr int kNoiseSteps = 2;
    const Converted<float> r = evaluateExpression(axis.rawExpr, physical);
    if (!r.ok() || !std::isfinite(r.value))
        return r;
    const float whole = std::round(r.value);
    if (whole == r.value)
        return r;
    float lo = r.value;
    float hi = r.value;
    for (int steps : {-kNoiseSteps, kNoiseSteps}) {
        const Converted<float> beside =
            evaluateExpression(axis.rawExpr, floatsAway(physical, steps));
        if (beside.ok() && std::isfinite(beside.value)) {
            lo = std::min(lo, beside.value);
            hi = std::max(hi, beside.value);
        }
    }
    if (floatsAway(lo, -kNoiseSteps) <= whole && whole <= floatsAway(hi, kNoiseSteps))
        return {ConversionCode::Ok, whole};
    return r;
}

} // namespace

Converted<float> toPhysical(const MapAxis& axis, std::uint16_t raw) {
    return evaluateExpression(axis.physicalExpr, static_cast<float>(raw));
}

Converted<std::uint8_t> toRawByte(const MapAxis& axis, float physical) {
    const Converted<float> r = rawResult(axis, physical);
    if (!r.ok())
        return {r.code, 0};
    if (r.value >= 256.0f)
        return {ConversionCode::AboveByte, 0};
    if (r.value < 0.0f)
        return {ConversionCode::BelowByte, 0};
    return {ConversionCode::Ok, static_cast<std::uint8_t>(r.value)};
}

Converted<std::uint16_t> toRawWord(const MapAxis& axis, float physical) {
    const Converted<float> r = rawResult(axis, physical);
    if (!r.ok())
        return {r.code, 0};
    // The low 16 bits of the two's-complement integer, computed without an overflowing cast.
    double low = std::fmod(std::trunc(static_cast<double>(r.value)), 65536.0);
    if (low < 0.0)
        low += 65536.0;
    return {ConversionCode::Ok, static_cast<std::uint16_t>(low)};
}

Converted<std::int32_t> toRawWhole(const MapAxis& axis, float physical) {
    const Converted<float> r = rawResult(axis, physical);
    if (!r.ok())
        return {r.code, 0};
    return {ConversionCode::Ok, text::truncToInt32(r.value)};
}

float limitValue(std::string_view text) {
    return text::scanFloat(text).value_or(0.0f);
}

InputRange inputRange(const MapAxis& axis) {
    const float min = limitValue(axis.min);
    const float max = limitValue(axis.max);
    const float inputMin = axis.inputMin.empty() ? min : limitValue(axis.inputMin);
    const float inputMax = axis.inputMax.empty() ? max : limitValue(axis.inputMax);
    return {std::max(min, inputMin), std::min(max, inputMax)};
}

float snapToStep(float value, float step) {
    if (step == 0.0f)
        return value;
    const float quotient = value / step;
    if (std::isnan(quotient))
        return value;
    const float shifted = value >= 0.0f ? quotient + 0.5f : quotient - 0.5f;
    return static_cast<float>(text::truncToInt32(shifted)) * step;
}

std::string_view conversionErrorText(ConversionCode code) {
    switch (code) {
    case ConversionCode::Ok:
        return {};
    case ConversionCode::AboveByte:
        return text::messageText(text::msg::InputMaxOver);
    case ConversionCode::BelowByte:
        return text::messageText(text::msg::InputMinOver);
    case ConversionCode::DivisionByZero:
        return text::messageText(text::msg::DivisionByZero);
    case ConversionCode::OperandMissing:
        return text::messageText(text::msg::OperandMissing);
    case ConversionCode::ParenthesisMissing:
        return text::messageText(text::msg::ExpressionNotCorrect);
    }
    return {};
}

void reportConversionError(text::MessageSink& sink, const MapAxis& axis, ConversionCode code,
                           std::string_view captionPrefix, std::string_view textPrefix) {
    if (code == ConversionCode::Ok)
        return;
    std::string caption(captionPrefix);
    caption += '[';
    caption += axis.name;
    caption += ']';
    std::string text(textPrefix);
    text += '\n';
    text += conversionErrorText(code);
    sink.show(text, caption, text::Icon::Error);
}

} // namespace qmx::maps
