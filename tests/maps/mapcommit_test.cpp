#include "maps/mapcommit.h"

#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "maps/editstate.h"
#include "maps/rawstep.h"
#include "maptestutil.h"

namespace qmx::maps {
namespace {

using test::freeMap;
using test::putBytes;

// Remembers the old raw value each time the undo history would be told.
class RecordingObserver : public EditObserver {
public:
    explicit RecordingObserver(const config::EcuImage& image) : m_image(image) {}
    void beforeWrite(Map& map, EditFamily, bool) override {
        oldValues.push_back(currentRaw(map, m_image));
    }
    std::vector<std::uint16_t> oldValues;

private:
    const config::EcuImage& m_image;
};

// A 3 × 4 free map with Z values 10, 20, 30, X values 10, 20, 30, 40 and Y limits 0..200.
class CommitTest : public ::testing::Test {
protected:
    void SetUp() override {
        maps.setEditObserver(&observer);
        map = &maps.add(freeMap(image, 0x8000, 3, 4));
        map->y.max = "200";
        putBytes(image, map->z.address, {10, 20, 30});
        putBytes(image, map->x.address, {10, 20, 30, 40});
        selectFirstCell(*map, image);
    }
    CommitOutcome axis(EditTarget target, int index, const char* text) {
        selectCell(*map, image, target, 0, index);
        return commitAxisValue(maps, *map, text, formats);
    }
    void setYConversion(const char* toPhysical, const char* toRaw, const char* min,
                        const char* max) {
        map->y.physicalExpr = toPhysical;
        map->y.rawExpr = toRaw;
        map->y.min = min;
        map->y.max = max;
    }

    config::EcuImage image;
    MapSet maps{image};
    RecordingObserver observer{image};
    DisplayFormats formats{0, 1, 0};
    Map* map = nullptr;
};

TEST_F(CommitTest, TypedYValueIsWrittenAfterTheUndoHook) {
    const CommitOutcome outcome = commitTypedCell(maps, *map, "100", formats);
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.cellText, "100.0");
    EXPECT_EQ(image.byte(map->y.address), 100);
    EXPECT_EQ(observer.oldValues, std::vector<std::uint16_t>{0});
    EXPECT_FALSE(commitTypedCell(maps, *map, "100", formats).written); // same raw value
    EXPECT_EQ(observer.oldValues.size(), 1u);
}

TEST_F(CommitTest, MalformedTextIsRefusedAndChangesNothing) {
    for (const char* text : {"", "abc", "1-", "-", ".", "1e3", "+5", " 5"}) {
        const CommitOutcome outcome = commitTypedCell(maps, *map, text, formats);
        EXPECT_EQ(outcome.message, 1505) << text;
        EXPECT_EQ(outcome.cellText, "0.0") << text;
    }
    map->y.rawExpr = "x/0";
    EXPECT_EQ(commitTypedCell(maps, *map, "5", formats).message, 1505);
    EXPECT_TRUE(observer.oldValues.empty());
    EXPECT_EQ(image.byte(map->y.address), 0);
}

// (Above the raw limit: the limit and its warning, in the qmxctl set test.)
TEST_F(CommitTest, CellValuesEndAtTheNearestAllowedOne) {
    setYConversion("x*0.3", "x/0.3", "1", "60"); // raw 3 reads 0.9: one raw step up
    const CommitOutcome outcome = commitTypedCell(maps, *map, "0", formats);
    EXPECT_EQ(image.byte(map->y.address), 4);
    EXPECT_EQ(outcome.cellText, "1.2");

    setYConversion("x*0.1", "x*10", "0", "20");
    map->y.step = 0.5f;
    commitTypedCell(maps, *map, "1.26", formats); // snapped to 1.5
    EXPECT_EQ(image.byte(map->y.address), 15);
}

TEST_F(CommitTest, AxisValuesStayBetweenTheirNeighbours) {
    map->x.step = 2.0f;
    const std::tuple<int, const char*, int> cases[] = {
        {1, "25", 25},   // inside: taken as typed
        {1, "35", 28},   // above the right neighbour 30: the lower of 30 - step and raw 29
        {1, "5", 12},    // below the left neighbour 10: 10 + step
        {3, "300", 255}, // above the cap: the cap, no right neighbour
    };
    for (const auto& [index, text, raw] : cases) {
        putBytes(image, map->x.address, {10, 20, 30, 40});
        EXPECT_EQ(axis(EditTarget::X, index, text).message, 0) << text;
        EXPECT_EQ(readX(*map, image, index).value, raw) << text;
    }
    // A downward Z axis swaps its neighbours.
    for (const std::vector<std::uint8_t>& z :
         {std::vector<std::uint8_t>{10, 20, 30}, {30, 20, 10}}) {
        putBytes(image, map->z.address, z);
        axis(EditTarget::Z, 1, "35");
        EXPECT_EQ(readZ(*map, image, 1).value, 29) << int(z[0]);
        axis(EditTarget::Z, 1, "5");
        EXPECT_EQ(readZ(*map, image, 1).value, 11) << int(z[0]);
    }
}

TEST_F(CommitTest, AxisValuesOutsideTheInputRangeWarn) {
    map->x.min = "15";
    map->x.max = "35";
    map->x.step = 1.0f;
    putBytes(image, map->x.address, {16, 20, 30, 34});
    CommitOutcome outcome = axis(EditTarget::X, 0, "2"); // first value: the range end itself
    EXPECT_EQ(readX(*map, image, 0).value, 15);
    ASSERT_TRUE(outcome.warning);
    EXPECT_FLOAT_EQ(outcome.warning->set, 15.0f);
    axis(EditTarget::X, 1, "3"); // left neighbour 15 is not above the range end: 15 + step
    EXPECT_EQ(readX(*map, image, 1).value, 16);
    axis(EditTarget::X, 2, "90"); // right neighbour 34 is below the end 35: 34 - step
    EXPECT_EQ(readX(*map, image, 2).value, 33);
}

TEST_F(CommitTest, WordAxisValuesAreWrittenWhole) {
    Map& words = maps.add(freeMap(image, 0x9000, 3, 1, MapKind::Addressed));
    words.z.elementSize = 2;
    words.z.max = "65535";
    image.setWord(0x9002, 1000);
    image.setWord(0x9004, 2000);
    image.setWord(0x9006, 3000);
    selectCell(words, image, EditTarget::Z, 0, 1);
    EXPECT_TRUE(commitAxisValue(maps, words, "2500", formats).written);
    EXPECT_EQ(image.word(0x9004), 2500);
    EXPECT_FALSE(commitAxisValue(maps, words, "2500", formats).written);
}

TEST_F(CommitTest, RaiseAndLowerStayWithinTheLimits) {
    setYConversion("x", "x", "0", "255");
    EXPECT_EQ(steppedYRaw(*map, 254, 1, formats), 255);
    EXPECT_EQ(steppedYRaw(*map, 250, 10, formats), 255);
    EXPECT_FALSE(steppedYRaw(*map, 255, 1, formats));
    EXPECT_EQ(steppedYRaw(*map, 5, -10, formats), 0);
    setYConversion("x", "x", "20", "200");
    EXPECT_EQ(steppedYRaw(*map, 195, 10, formats), 200);
    EXPECT_FALSE(steppedYRaw(*map, 210, 1, formats)); // never moves away from the limits

    setYConversion("x*0.1", "x*10", "0", "2");
    map->y.step = 0.5f;
    EXPECT_EQ(steppedYRaw(*map, 10, 1, formats), 15);
    EXPECT_EQ(steppedYRaw(*map, 10, 10, formats), 20); // shrinks until it fits
    EXPECT_FALSE(steppedYRaw(*map, 20, 1, formats));
}

} // namespace
} // namespace qmx::maps
