#pragma once

#include <string_view>

// The arithmetic expressions of map definitions, which convert between raw and physical values.
namespace qmx::maps {

// Result codes of an expression conversion; each failure has a message (conversionErrorText).
enum class ConversionCode {
    Ok = 0,
    AboveByte = 1,          // byte result above 255
    BelowByte = 2,          // byte result below 0
    DivisionByZero = 3,     // division by exactly 0, or a result that is not finite
    OperandMissing = 4,     // an empty number token, e.g. "x*" or ""
    ParenthesisMissing = 5, // no ")" after a parenthesised expression
};

// A converted value with its code; the value is meaningful only when the code is Ok.
template <typename T> struct Converted {
    ConversionCode code = ConversionCode::Ok;
    T value{};
    bool ok() const { return code == ConversionCode::Ok; }
};

// Evaluates `text` (grammar: sums of products of `x`, parenthesised expressions and decimal
// number tokens) with `x` as the input, in 32-bit floats at every step. Text after the
// expression that no rule accepts is ignored. Gives the first failure's code and 0.
Converted<float> evaluateExpression(std::string_view text, float x);

} // namespace qmx::maps
