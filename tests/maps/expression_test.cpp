#include "maps/expression.h"

#include <string>

#include <gtest/gtest.h>

namespace qmx::maps {
namespace {

struct Case {
    const char* text;
    float x;
    ConversionCode code;
    float value;
};

TEST(Expression, GrammarAndCodes) {
    const Case cases[] = {
        {"x*0.5-30", 100.0f, ConversionCode::Ok, 20.0f},
        {"(x+10)/2", 4.0f, ConversionCode::Ok, 7.0f},
        {"10-2-3", 0.0f, ConversionCode::Ok, 5.0f},   // left to right
        {"x*2)", 3.0f, ConversionCode::Ok, 6.0f},     // the rest is ignored
        {"x 2", 7.0f, ConversionCode::Ok, 7.0f},      // a blank ends the expression
        {"X*2", 5.0f, ConversionCode::Ok, 0.0f},      // X is a token without digits
        {"2.5abc*x", 2.0f, ConversionCode::Ok, 5.0f}, // the token reads its number prefix
        {"1e3+x", 1.0f, ConversionCode::Ok, 1001.0f},
        {"1e-3", 0.0f, ConversionCode::Ok, -2.0f},             // "-" ends the token "1e"
        {"16777216+1", 0.0f, ConversionCode::Ok, 16777216.0f}, // float at every step
        {"x/(x-4)", 4.0f, ConversionCode::DivisionByZero, 0.0f},
        {"1e30*1e30", 0.0f, ConversionCode::DivisionByZero, 0.0f}, // not finite
        {"(x+1", 0.0f, ConversionCode::ParenthesisMissing, 0.0f},
        {"x*", 1.0f, ConversionCode::OperandMissing, 0.0f},
        {"", 1.0f, ConversionCode::OperandMissing, 0.0f},
        {"-x", 1.0f, ConversionCode::OperandMissing, 0.0f},
        {"x/0*", 1.0f, ConversionCode::DivisionByZero, 0.0f}, // the first failure counts
    };
    for (const Case& c : cases) {
        const Converted<float> result = evaluateExpression(c.text, c.x);
        EXPECT_EQ(result.code, c.code) << c.text;
        if (c.code == ConversionCode::Ok) {
            EXPECT_FLOAT_EQ(result.value, c.value) << c.text;
        }
    }
}

TEST(Expression, DeepNestingFailsInsteadOfExhaustingTheStack) {
    const std::string deep = std::string(100000, '(') + "x" + std::string(100000, ')');
    EXPECT_EQ(evaluateExpression(deep, 1.0f).code, ConversionCode::ParenthesisMissing);
    const std::string moderate = std::string(50, '(') + "x" + std::string(50, ')');
    EXPECT_EQ(evaluateExpression(moderate, 2.0f).value, 2.0f);
}

} // namespace
} // namespace qmx::maps
