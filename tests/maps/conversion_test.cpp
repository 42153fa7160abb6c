#include "maps/conversion.h"

#include <clocale>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "maps/numbers.h"
#include "maptestutil.h"

namespace qmx::maps {
namespace {

using test::identityAxis;

TEST(Conversion, ByteFormChecksTheRangeAndTruncates) {
    const MapAxis axis = identityAxis("DATA");
    EXPECT_EQ(toRawByte(axis, 255.9f).value, 255);
    EXPECT_TRUE(toRawByte(axis, 255.9f).ok());
    EXPECT_EQ(toRawByte(axis, 256.0f).code, ConversionCode::AboveByte);
    EXPECT_EQ(toRawByte(axis, -0.5f).code, ConversionCode::BelowByte);
    EXPECT_EQ(toRawByte(axis, 0.0f).value, 0);
}

TEST(Conversion, WordAndWholeFormsNeverOverflow) {
    const MapAxis axis = identityAxis("RPM");
    EXPECT_EQ(toRawWord(axis, 4660.7f).value, 0x1234);
    EXPECT_EQ(toRawWord(axis, -1.0f).value, 0xFFFF);
    EXPECT_EQ(toRawWord(axis, 65541.0f).value, 5);
    EXPECT_EQ(toRawWord(axis, 1e20f).value, 0); // low 16 bits of a multiple of 2^16
    EXPECT_EQ(toRawWhole(axis, -3.7f).value, -3);
    EXPECT_EQ(toRawWhole(axis, 1e20f).value, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toRawWhole(axis, -1e20f).value, std::numeric_limits<std::int32_t>::min());
}

TEST(Conversion, FailuresOfTheExpressionComeThrough) {
    MapAxis axis = identityAxis("RPM");
    axis.rawExpr = "x/(x-4)";
    axis.physicalExpr = "(x";
    EXPECT_EQ(toRawByte(axis, 4.0f).code, ConversionCode::DivisionByZero);
    EXPECT_EQ(toRawWord(axis, 4.0f).code, ConversionCode::DivisionByZero);
    EXPECT_EQ(toPhysical(axis, 1).code, ConversionCode::ParenthesisMissing);
}

TEST(Conversion, InputRangeTakesTheNarrowerLimits) {
    MapAxis axis = identityAxis("TEMP", "-40", "120");
    EXPECT_FLOAT_EQ(inputRange(axis).lo, -40.0f);
    axis.inputMin = "-10";
    axis.inputMax = "150";
    EXPECT_FLOAT_EQ(inputRange(axis).lo, -10.0f);
    EXPECT_FLOAT_EQ(inputRange(axis).hi, 120.0f);
    axis.max = "abc"; // unreadable reads 0
    EXPECT_FLOAT_EQ(inputRange(axis).hi, 0.0f);
}

TEST(Conversion, SnapToStepRoundsHalvesAwayFromZero) {
    EXPECT_FLOAT_EQ(snapToStep(1.26f, 0.25f), 1.25f);
    EXPECT_FLOAT_EQ(snapToStep(-1.13f, 0.25f), -1.25f);
    EXPECT_FLOAT_EQ(snapToStep(1.125f, 0.25f), 1.25f);
    EXPECT_FLOAT_EQ(snapToStep(-1.125f, 0.25f), -1.25f);
    EXPECT_FLOAT_EQ(snapToStep(1.26f, 0.0f), 1.26f);
    EXPECT_FLOAT_EQ(snapToStep(1e30f, 1e-10f), 2147483647.0f * 1e-10f); // saturates
}

TEST(Conversion, ErrorReportNamesTheAxisAndTheCode) {
    test::RecordingSink sink;
    const MapAxis axis = identityAxis("RPM");
    reportConversionError(sink, axis, ConversionCode::Ok, "Map Window", "Used wrong equation");
    EXPECT_TRUE(sink.shown.empty());
    reportConversionError(sink, axis, ConversionCode::DivisionByZero, "Map Window",
                          "Used wrong equation");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].caption, "Map Window[RPM]");
    EXPECT_EQ(sink.shown[0].text, "Used wrong equation\nError /0");
    EXPECT_EQ(sink.shown[0].icon, app::Icon::Error);
    EXPECT_EQ(conversionErrorText(ConversionCode::OperandMissing),
              app::messageText(app::msg::OperandMissing));
    EXPECT_EQ(conversionErrorText(ConversionCode::ParenthesisMissing),
              "HEX to Physical expression is not correct");
}

TEST(Numbers, FixedFormatIsCorrectlyRoundedAndClamped) {
    EXPECT_EQ(formatFixed(1234.6f, 0), "1235");
    EXPECT_EQ(formatFixed(2.5, 0), "2"); // the C library's rounding of the exact binary value
    EXPECT_EQ(formatFixed(0.125, 2), "0.12");
    EXPECT_EQ(formatFixed(1.0, 40), "1.000000000000000");
    EXPECT_EQ(formatFixed(1.0, -3), "1");
}

TEST(Numbers, ReadingAndPrintingIgnoreTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(formatFixed(1.5, 1), "1.5");
    EXPECT_FLOAT_EQ(scanFloat("1.5").value_or(0.0f), 1.5f);
    EXPECT_FLOAT_EQ(evaluateExpression("x*0.5", 3.0f).value, 1.5f);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
} // namespace qmx::maps
