#include "maps/conversion.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "text/messages.h"
#include "text/numbers.h"

namespace qmx::maps {

Converted<float> toPhysical(const MapAxis& axis, std::uint16_t raw) {
    return evaluateExpression(axis.physicalExpr, static_cast<float>(raw));
}

Converted<std::uint8_t> toRawByte(const MapAxis& axis, float physical) {
    const Converted<float> r = evaluateExpression(axis.rawExpr, physical);
    if (!r.ok())
        return {r.code, 0};
    if (r.value >= 256.0f)
        return {ConversionCode::AboveByte, 0};
    if (r.value < 0.0f)
        return {ConversionCode::BelowByte, 0};
    return {ConversionCode::Ok, static_cast<std::uint8_t>(r.value)};
}

Converted<std::uint16_t> toRawWord(const MapAxis& axis, float physical) {
    const Converted<float> r = evaluateExpression(axis.rawExpr, physical);
    if (!r.ok())
        return {r.code, 0};
    // The low 16 bits of the two's-complement integer, computed without an overflowing cast.
    double low = std::fmod(std::trunc(static_cast<double>(r.value)), 65536.0);
    if (low < 0.0)
        low += 65536.0;
    return {ConversionCode::Ok, static_cast<std::uint16_t>(low)};
}

Converted<std::int32_t> toRawWhole(const MapAxis& axis, float physical) {
    const Converted<float> r = evaluateExpression(axis.rawExpr, physical);
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
