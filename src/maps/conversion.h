#pragma once

#include <cstdint>
#include <string_view>

#include "maps/expression.h"
#include "maps/mapaxis.h"
#include "text/messagesink.h"

// Conversion of map values between raw and physical through the axis's expressions, the
// input limits of an axis, snapping to a step, and the messages of conversion failures.
namespace qmx::maps {

// The physical value of `raw` (a byte or word of the axis) through its raw-to-physical
// expression.
Converted<float> toPhysical(const MapAxis& axis, std::uint16_t raw);

// The raw value of `physical` through the axis's physical-to-raw expression r, in three forms.
// An r within float rounding noise of a whole number (19.999998 for 0.20 × 100) counts as that
// whole number in every form.
// Byte: code AboveByte when r >= 256, BelowByte when r < 0, else r truncated toward zero.
Converted<std::uint8_t> toRawByte(const MapAxis& axis, float physical);
// Word: no range check; the low 16 bits of r truncated toward zero.
Converted<std::uint16_t> toRawWord(const MapAxis& axis, float physical);
// Whole number: no range check; r truncated toward zero, saturating at the int32 ends.
Converted<std::int32_t> toRawWhole(const MapAxis& axis, float physical);

// A limit text read with "%f"; an empty or unreadable text reads 0.
float limitValue(std::string_view text);

// The effective input range of an axis: lo = the greater of Min and InputMin, hi = the lesser
// of Max and InputMax (an empty input limit stands for its display limit).
struct InputRange {
    float lo = 0.0f;
    float hi = 0.0f;
};
InputRange inputRange(const MapAxis& axis);

// `value` rounded to the nearest multiple of `step` (halves away from zero); unchanged when
// `step` is 0 or the quotient is not a number.
float snapToStep(float value, float step);

// The message text of a failure code; empty for Ok.
std::string_view conversionErrorText(ConversionCode code);

// Shows a failed conversion of `axis` as an error box: caption `captionPrefix` + "[" + the
// axis name + "]", text `textPrefix`, a line break and the code's message. Nothing for Ok.
void reportConversionError(text::MessageSink& sink, const MapAxis& axis, ConversionCode code,
                           std::string_view captionPrefix, std::string_view textPrefix);

} // namespace qmx::maps
