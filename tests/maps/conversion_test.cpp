#include "maps/conversion.h"

#include <clocale>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "maptestutil.h"
#include "text/numbers.h"

namespace qmx::maps {
namespace {

TEST(Conversion, RawFormsCheckTheirRangeAndNeverOverflow) {
    const MapAxis axis = test::identityAxis("DATA");
    EXPECT_EQ(toRawByte(axis, 255.9f).value, 255);
    EXPECT_EQ(toRawByte(axis, 256.0f).code, ConversionCode::AboveByte);
    EXPECT_EQ(toRawByte(axis, -0.5f).code, ConversionCode::BelowByte);
    EXPECT_EQ(toRawWord(axis, 4660.7f).value, 0x1234);
    EXPECT_EQ(toRawWord(axis, -1.0f).value, 0xFFFF);
    EXPECT_EQ(toRawWord(axis, 1e20f).value, 0); // low 16 bits of a multiple of 2^16
    EXPECT_EQ(toRawWhole(axis, -3.7f).value, -3);
    EXPECT_EQ(toRawWhole(axis, 1e20f).value, std::numeric_limits<std::int32_t>::max());
}

// (Input limits narrower than the display limits: qmxctl set and the commit tests.)
TEST(Conversion, SnapToStepRoundsHalvesAwayFromZero) {
    EXPECT_FLOAT_EQ(snapToStep(1.26f, 0.25f), 1.25f);
    EXPECT_FLOAT_EQ(snapToStep(-1.13f, 0.25f), -1.25f);
    EXPECT_FLOAT_EQ(snapToStep(-1.125f, 0.25f), -1.25f);
    EXPECT_FLOAT_EQ(snapToStep(1.26f, 0.0f), 1.26f);
    EXPECT_FLOAT_EQ(snapToStep(1e30f, 1e-10f), 2147483647.0f * 1e-10f); // saturates
}

TEST(Numbers, ReadingAndPrintingIgnoreTheProcessLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(text::formatFixed(1.5, 1), "1.5");
    EXPECT_FLOAT_EQ(evaluateExpression("x*0.5", 3.0f).value, 1.5f);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
} // namespace qmx::maps
