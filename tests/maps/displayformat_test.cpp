#include "maps/displayformat.h"

#include <gtest/gtest.h>

#include "maps/map.h"
#include "maptestutil.h"

namespace qmx::maps {
namespace {

TEST(DisplayFormat, ConstantTextDropsZerosAndKeepsEightPlaces) {
    const struct {
        float value;
        const char* constant;
        const char* shown;
    } cases[] = {
        {12.5f, "12.500000", "12.50"},
        {3.0f, "3", "3"},
        {0.1f, "0.1000000", "0.10"},
        {-1234567.5f, "-1234567.50000000", "-1234567.50"}, // no place left after the point
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatConstant(c.value), c.constant) << c.value;
        EXPECT_EQ(constantDisplayText(c.value), c.shown) << c.value;
    }
}

TEST(DisplayFormat, YUsesNoDecimalsBeyondTwoThousandElseTheMapsOwn) {
    const DisplayFormats formats{1, 2, 1};
    Map map;
    map.y = test::identityAxis("DATA", "0", "2000");
    EXPECT_EQ(formatY(1234.6f, map, formats), "1235");
    map.y.max = "1999.9";
    EXPECT_EQ(formatY(1234.6f, map, formats), "1234.60");
    map.ownDecimals = 3;
    EXPECT_EQ(formatY(1234.6f, map, formats), "1234.600");
    map.y.min = "-2000";
    EXPECT_EQ(formatY(1234.6f, map, formats), "1235");
}

} // namespace
} // namespace qmx::maps
