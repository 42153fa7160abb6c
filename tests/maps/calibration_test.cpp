#include "maps/calibration.h"

#include <gtest/gtest.h>

#include "maps/typedconstant.h"

namespace qmx::maps {
namespace {

// (Every field of a well-formed line: the samples' constants in qmxctl info.)
TEST(CalibLine, FieldRulesDecideWhetherAnEntryTakesPart) {
    const struct {
        const char* line;
        int calc; // 0: the line does not take part
    } cases[] = {
        {"10,1,a,1,0,u,", 1},     {"10,1,a,1,0,u,7", 1},   {"FFFF,1,a,1,0,u,5", 5},
        {"FFFF,2,a,1,0,u,1", 0},  {"10,1,a,1,0,u,x", 0},   {"10,1,a,1,0,u", 0},
        {"12345,1,a,1,0,u,1", 0}, {"0x10,1,a,1,0,u,1", 0}, {"10,01,a,1,0,u,1", 0},
        {"10,1,a,1.5x,0,u,1", 0}, {"10,1,a,1,,u,1", 0},
    };
    for (const auto& c : cases) {
        const CalibLine line = parseCalibLine(c.line);
        EXPECT_EQ(line.entry ? line.entry->calc : 0, c.calc) << c.line;
    }
    EXPECT_EQ(parseCalibLine("10,1,a").fields[2], "a"); // kept for the export
}

// A coefficient a double holds but a float does not would make every value of the entry
// infinite; such a line does not take part, like one with "inf".
TEST(CalibLine, CoefficientsMustBeFiniteFloats) {
    for (const char* line : {"10,1,a,inf,0,u,1", "10,1,a,1e39,0,u,1", "10,1,a,1,-1e39,u,1"})
        EXPECT_FALSE(parseCalibLine(line).entry) << line;
    EXPECT_TRUE(parseCalibLine("10,1,a,3e38,-3e38,u,1").entry);
    EXPECT_FALSE(parseCalibLine("10,1,a,1,0,u,1,0,0,1e39").entry->inputMax);
}

// The kinds and sizes the samples' constants lack (those are typed back over all their values
// in the typed-value test), at their boundaries.
TEST(CalibFormulas, KindsTheSamplesLackRoundTripAtTheirBoundaries) {
    const struct {
        int bytes;
        float lsb;
        float offset;
        int calc;
    } kinds[] = {{2, 1.0f, 1.0f, 2}, {2, 0.01f, 0.0f, 3}, {1, 1.0f, 0.0f, 4}, {1, 100.0f, 0.0f, 5}};
    for (const auto& k : kinds) {
        const double half = k.bytes == 2 ? 32768.0 : 128.0;
        const double floor = calibFloor(k.calc);
        const double ceiling = calibCeiling(k.bytes);
        for (double raw : {floor, floor + 1.0, half - 1.0, half, ceiling - 1.0, ceiling}) {
            const float physical =
                calibToPhysical(k.bytes, k.lsb, k.offset, k.calc, static_cast<float>(raw));
            const CalibRaw back = calibToRaw(k.bytes, k.lsb, k.offset, k.calc, physical);
            EXPECT_TRUE(back.inRange && back.raw == raw) << "kind " << k.calc << " raw " << raw;
        }
    }
}

TEST(CalibFormulas, ToRawClampsAndRoundsHalvesAwayFromZero) {
    const CalibRaw zero = calibToRaw(1, 1.0f, 1.0f, 2, 0.0f); // B × 1000000 is above 255
    EXPECT_FALSE(zero.inRange);
    EXPECT_EQ(zero.raw, 255.0f);
    const CalibRaw nan = calibToRaw(1, 0.0f, 5.0f, 1, 5.0f); // 0 / 0 counts as below the floor
    EXPECT_FALSE(nan.inRange);
    EXPECT_EQ(nan.raw, 0.0f);
    EXPECT_EQ(calibToRaw(1, 1.0f, 0.0f, 1, 2.5f).raw, 3.0f);
    EXPECT_EQ(calibToRaw(1, -1.0f, 0.0f, 1, -0.5f).raw, 1.0f);
}

CalibEntry entry(int bytes, float lsb, float offset, int calc, std::optional<float> inputMin = {},
                 std::optional<float> inputMax = {}) {
    return {0, bytes, "", lsb, offset, "", calc, false, inputMin, inputMax};
}

using Result = TypedConstant::Result;

TEST(TypedConstant, OutsideTheRangeSetsTheNearerEndAndWarnsOnlyWithBothLimits) {
    EXPECT_EQ(convertTypedConstant(entry(1, 0.5f, 0.0f, 1), 50.2f).raw, 100.0f);
    const TypedConstant silent = convertTypedConstant(entry(1, 1.0f, 0.0f, 1), 300.0f);
    EXPECT_EQ(silent.raw, 255.0f);
    EXPECT_FALSE(silent.warning);

    const TypedConstant warned = convertTypedConstant(entry(1, 1.0f, 0.0f, 1, 10, 200), 250.0f);
    EXPECT_EQ(warned.raw, 200.0f);
    EXPECT_TRUE(warned.warning); // its text: the constant editor's test

    // 10.1 converts to 34, which reads 10.2: one raw step back inside.
    EXPECT_EQ(convertTypedConstant(entry(1, 0.3f, 0.0f, 1, 0, 10.1f), 20.0f).raw, 33.0f);
    // Kind 2 falls as raw rises: 1000 converts to 167, reading 998, so the raw value goes down.
    EXPECT_EQ(convertTypedConstant(entry(1, 1.0f, 1.0f, 2, 1000, 1e5f), 500.0f).raw, 166.0f);

    EXPECT_EQ(convertTypedConstant(entry(1, 1.0f, 0.0f, 1, 50, 20), 30.0f).result,
              Result::NotEditable);
    EXPECT_EQ(convertTypedConstant(entry(1, 0.0f, 5.0f, 1), 5.0f).result, Result::NotConvertible);
}

TEST(TypedConstant, KindThreeHasTwoIntervals) {
    const struct {
        CalibEntry e;
        float typed;
        float raw;
        int message; // 0: no warning
    } cases[] = {
        {entry(1, 0.5f, 0.0f, 3), -64.0f, 128.0f, 0},
        {entry(1, 0.5f, 0.0f, 3), 63.5f, 127.0f, 0},
        {entry(1, 0.5f, 0.0f, 3), -0.1f, 0.0f, 1531},    // between: nearer is 0
        {entry(1, 0.5f, 0.0f, 3), -0.4f, 255.0f, 1531},  // between: nearer is -0.5
        {entry(1, 0.5f, 0.0f, 3), 100.0f, 127.0f, 1525}, // above the upper interval
        {entry(1, 0.5f, 0.0f, 3), -100.0f, 128.0f, 1525},
        {entry(1, 1.0f, 2.0f, 3), 0.0f, 0.0f, 1531},  // [-130, -3] and [2, 129]
        {entry(1, -1.0f, 0.0f, 3), 50.0f, 206.0f, 0}, // mirrored: [-127, 0] and [1, 128]
        {entry(2, 1.0f, 0.0f, 3), -1.0f, 65535.0f, 0},
        {entry(2, 1.0f, 0.0f, 3), 40000.0f, 32767.0f, 1525},
    };
    for (const auto& c : cases) {
        const TypedConstant typed = convertTypedConstant(c.e, c.typed);
        EXPECT_EQ(typed.raw, c.raw) << c.typed;
        EXPECT_EQ(typed.warning ? typed.warning->message() : 0, c.message) << c.typed;
    }
    EXPECT_EQ(convertTypedConstant(entry(1, 0.5f, 0.0f, 3), -0.1f).warning->text(),
              "Input Data Range Over:-0.10 \n (-64.00<=Data<=-0.50 or 0.00<=Data<=63.50)\n set "
              "0.00");
}

} // namespace
} // namespace qmx::maps
