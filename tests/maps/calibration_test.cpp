#include "maps/calibration.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "maps/typedconstant.h"

namespace qmx::maps {
namespace {

TEST(CalibLine, AFullLineTakesPart) {
    const CalibLine line = parseCalibLine("80A0, 2, Idle speed, 10, 0.5, rpm, 3, 1, 500, 2000");
    ASSERT_TRUE(line.entry);
    const CalibEntry& entry = *line.entry;
    EXPECT_EQ(entry.address, 0x80A0);
    EXPECT_EQ(entry.byteCount, 2);
    EXPECT_EQ(entry.contents, "Idle speed");
    EXPECT_FLOAT_EQ(entry.lsb, 10.0f);
    EXPECT_FLOAT_EQ(entry.offset, 0.5f);
    EXPECT_EQ(entry.unit, "rpm");
    EXPECT_EQ(entry.calc, 3);
    EXPECT_TRUE(entry.readOnly);
    EXPECT_EQ(entry.inputMin, 500.0f);
    EXPECT_EQ(entry.inputMax, 2000.0f);
    EXPECT_EQ(line.fields[6], "3");
}

TEST(CalibLine, FieldRules) {
    const struct {
        const char* line;
        bool takesPart;
        int calc;
    } cases[] = {
        {"10,1,a,1,0,u,", true, 1},  // empty Calc is 1
        {"10,1,a,1,0,u,7", true, 1}, // unknown kinds act as 1
        {"10,1,a,1,0,u,5", true, 5},
        {"FFFF,1,a,1,0,u,1", true, 1},  // a byte at the last address
        {"FFFF,2,a,1,0,u,1", false, 0}, // a word would reach past the image
        {"10,1,a,1,0,u,x", false, 0},
        {"10,1,a,1,0,u", false, 0},      // six fields
        {"12345,1,a,1,0,u,1", false, 0}, // five digits
        {"0x10,1,a,1,0,u,1", false, 0},
        {"10,01,a,1,0,u,1", false, 0}, // size exactly "1" or "2"
        {"10,3,a,1,0,u,1", false, 0},
        {"10,1,a,1.5x,0,u,1", false, 0}, // LSB not a number
        {"10,1,a,1,,u,1", false, 0},     // no offset
    };
    for (const auto& c : cases) {
        const CalibLine line = parseCalibLine(c.line);
        EXPECT_EQ(line.entry.has_value(), c.takesPart) << c.line;
        if (line.entry) {
            EXPECT_EQ(line.entry->calc, c.calc) << c.line;
        }
    }
    const CalibLine shortLine = parseCalibLine("10,1,a");
    EXPECT_EQ(shortLine.fields[2], "a");
    EXPECT_EQ(shortLine.fields[6], "");
    const CalibLine optional = parseCalibLine("10,1,a,1,0,u,1,0,lo");
    ASSERT_TRUE(optional.entry);
    EXPECT_FALSE(optional.entry->readOnly);
    EXPECT_FALSE(optional.entry->inputMin);
}

TEST(CalibFormulas, KnownValues) {
    EXPECT_FLOAT_EQ(calibToPhysical(1, 0.5f, 10.0f, 1, 100.0f), 60.0f);
    EXPECT_FLOAT_EQ(calibToPhysical(1, 0.5f, 10.0f, 1, 100.0f, 1.0f), 60.5f);
    EXPECT_NEAR(calibToPhysical(1, 1.0f, 1.0f, 2, 100.0f), 1666.6666f, 1e-3f);
    EXPECT_FLOAT_EQ(calibToPhysical(1, 1.0f, 2.0f, 2, 0.0f), 2000000.0f);
    EXPECT_FLOAT_EQ(calibToPhysical(1, 0.5f, 0.0f, 3, 0x80), -64.0f);
    EXPECT_FLOAT_EQ(calibToPhysical(1, 0.5f, 0.0f, 3, 0x7F), 63.5f);
    EXPECT_FLOAT_EQ(calibToPhysical(1, 1.0f, 2.0f, 3, 255.0f), -3.0f); // offset takes the sign
    EXPECT_FLOAT_EQ(calibToPhysical(2, 1.0f, 0.0f, 3, 65535.0f), -1.0f);
    EXPECT_NEAR(calibToPhysical(1, 1.0f, 0.0f, 4, 0.0f), 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(calibToPhysical(1, 1.0f, -2068.0f, 4, 0.0f), 29985494.0f);
    EXPECT_FLOAT_EQ(calibToPhysical(1, 1.0f, -1.0f, 5, 0.0f), 0.0f);
}

TEST(CalibFormulas, EveryKindRoundTripsAtItsBoundaries) {
    const struct {
        int bytes;
        float lsb;
        float offset;
        int calc;
    } kinds[] = {
        {1, 0.5f, -40.0f, 1}, {2, 0.25f, 0.0f, 1}, {1, 1.0f, 1.0f, 2}, {2, 1.0f, 1.0f, 2},
        {1, 0.5f, 2.0f, 3},   {2, 0.01f, 0.0f, 3}, {1, 1.0f, 0.0f, 4}, {1, 100.0f, 0.0f, 5},
    };
    for (const auto& k : kinds) {
        const double floor = calibFloor(k.calc);
        const double ceiling = calibCeiling(k.bytes);
        const double half = k.bytes == 2 ? 32768.0 : 128.0;
        for (double raw : {floor, floor + 1.0, half - 1.0, half, ceiling - 1.0, ceiling}) {
            const float physical =
                calibToPhysical(k.bytes, k.lsb, k.offset, k.calc, static_cast<float>(raw));
            const CalibRaw back = calibToRaw(k.bytes, k.lsb, k.offset, k.calc, physical);
            EXPECT_TRUE(back.inRange) << "kind " << k.calc << " raw " << raw;
            EXPECT_EQ(back.raw, raw) << "kind " << k.calc << " bytes " << k.bytes;
        }
    }
}

TEST(CalibFormulas, ToRawClampsAndRoundsHalvesAwayFromZero) {
    const CalibRaw zero = calibToRaw(1, 1.0f, 1.0f, 2, 0.0f); // B × 1000000 is above 255
    EXPECT_FALSE(zero.inRange);
    EXPECT_EQ(zero.raw, 255.0f);
    const CalibRaw nan = calibToRaw(1, 0.0f, 5.0f, 1, 5.0f); // 0 / 0
    EXPECT_FALSE(nan.inRange);
    EXPECT_EQ(nan.raw, 0.0f);
    EXPECT_EQ(calibToRaw(2, 1.0f, 0.0f, 2, 1e9f).raw, 1.0f); // kind 2 floor
    EXPECT_EQ(calibToRaw(1, 1.0f, 0.0f, 1, 2.5f).raw, 3.0f);
    EXPECT_EQ(calibToRaw(1, 1.0f, 0.0f, 1, 3.5f).raw, 4.0f);
    EXPECT_EQ(calibToRaw(1, -1.0f, 0.0f, 1, -0.5f).raw, 1.0f);
    EXPECT_EQ(calibToRaw(1, 0.5f, 0.0f, 3, -64.0f).raw, 128.0f);
}

CalibEntry entry(int bytes, float lsb, float offset, int calc) {
    CalibEntry e;
    e.byteCount = bytes;
    e.lsb = lsb;
    e.offset = offset;
    e.calc = calc;
    return e;
}

using Result = TypedConstant::Result;

TEST(TypedConstant, InsideTheRangeConvertsDirectly) {
    const TypedConstant typed = convertTypedConstant(entry(1, 0.5f, 0.0f, 1), 50.2f);
    EXPECT_EQ(typed.result, Result::Converted);
    EXPECT_EQ(typed.raw, 100.0f);
    EXPECT_FALSE(typed.warning);
}

TEST(TypedConstant, OutsideTheRangeSetsTheNearerEndAndWarnsOnlyWithBothLimits) {
    CalibEntry e = entry(1, 1.0f, 0.0f, 1);
    TypedConstant typed = convertTypedConstant(e, 300.0f);
    EXPECT_EQ(typed.raw, 255.0f);
    EXPECT_FALSE(typed.warning);

    e.inputMin = 10.0f;
    e.inputMax = 200.0f;
    typed = convertTypedConstant(e, 250.0f);
    EXPECT_EQ(typed.raw, 200.0f);
    ASSERT_TRUE(typed.warning);
    EXPECT_EQ(typed.warning->message(), 1525);
    EXPECT_EQ(typed.warning->text(),
              "Input Data Range Over:250.00 \n (10.00<=Data<=200.00)\n set 200.00");
}

TEST(TypedConstant, AnEndThatRoundsOutsideMovesOneRawStepBackInside) {
    CalibEntry rising = entry(1, 0.3f, 0.0f, 1);
    rising.inputMin = 0.0f;
    rising.inputMax = 10.1f; // 33.67 rounds to 34, which reads 10.2
    TypedConstant typed = convertTypedConstant(rising, 20.0f);
    EXPECT_EQ(typed.raw, 33.0f);
    EXPECT_NEAR(typed.warning->set, 9.9f, 1e-4f);

    CalibEntry falling = entry(1, 1.0f, 1.0f, 2); // physical falls as raw rises
    falling.inputMin = 1000.0f;
    falling.inputMax = 100000.0f;
    typed = convertTypedConstant(falling, 500.0f); // 1000 gives raw 167, reading 998
    EXPECT_EQ(typed.raw, 166.0f);
    EXPECT_GE(typed.warning->set, 1000.0f);
}

TEST(TypedConstant, EmptyRangeOrNoInverseIsReported) {
    CalibEntry crossed = entry(1, 1.0f, 0.0f, 1);
    crossed.inputMin = 50.0f;
    crossed.inputMax = 20.0f;
    EXPECT_EQ(convertTypedConstant(crossed, 30.0f).result, Result::NotEditable);
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
        EXPECT_EQ(typed.result, Result::Converted) << c.typed;
        EXPECT_EQ(typed.raw, c.raw) << c.typed;
        EXPECT_EQ(typed.warning ? typed.warning->message() : 0, c.message) << c.typed;
    }
    const TypedConstant between = convertTypedConstant(entry(1, 0.5f, 0.0f, 3), -0.1f);
    EXPECT_EQ(between.warning->text(), "Input Data Range Over:-0.10 \n (-64.00<=Data<=-0.50 or "
                                       "0.00<=Data<=63.50)\n set 0.00");
}

} // namespace
} // namespace qmx::maps
