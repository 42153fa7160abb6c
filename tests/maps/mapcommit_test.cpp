#include "maps/mapcommit.h"

#include <vector>

#include <gtest/gtest.h>

#include "maps/editstate.h"
#include "maps/rawstep.h"
#include "maptestutil.h"

namespace qmx::maps {
namespace {

using test::freeMap;
using test::identityAxis;
using test::putBytes;

// Remembers the cell and its old value each time the undo history would be told.
class RecordingObserver : public EditObserver {
public:
    struct Call {
        EditTarget target;
        int row;
        int index;
        std::uint16_t raw;
        EditFamily family;
    };
    void beforeWrite(Map& map, EditFamily family, bool) override {
        calls.push_back({map.target, map.editRow, map.editIndex, map.currentRaw, family});
    }
    std::vector<Call> calls;
};

class CommitTest : public ::testing::Test {
protected:
    void SetUp() override {
        maps.setEditObserver(&observer);
        Map built = freeMap(image, 0x8000, 3, 4);
        built.y = identityAxis("DATA", "0", "200");
        map = &maps.add(std::move(built));
        putBytes(image, map->z.address, {10, 20, 30});
        putBytes(image, map->x.address, {10, 20, 30, 40});
        selectFirstCell(*map, image);
    }
    CommitOutcome axis(EditTarget target, int index, const char* text) {
        selectCell(*map, image, target, 0, index);
        return commitAxisValue(maps, *map, text, formats);
    }

    config::EcuImage image;
    MapSet maps{image};
    RecordingObserver observer;
    DisplayFormats formats{0, 1, 0};
    Map* map = nullptr;
};

TEST_F(CommitTest, TypedYValueIsWrittenAfterTheUndoHook) {
    const CommitOutcome outcome = commitTypedCell(maps, *map, "100", formats);
    EXPECT_EQ(outcome.message, 0);
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.cellText, "100.0");
    EXPECT_FALSE(outcome.warning);
    EXPECT_EQ(image.byte(map->y.address), 100);
    EXPECT_EQ(map->currentRaw, 100);
    ASSERT_EQ(observer.calls.size(), 1u);
    EXPECT_EQ(observer.calls[0].raw, 0); // the value before the change
    EXPECT_EQ(observer.calls[0].family, EditFamily::Edit);

    EXPECT_FALSE(commitTypedCell(maps, *map, "100", formats).written); // same raw value
    EXPECT_EQ(observer.calls.size(), 1u);
}

TEST_F(CommitTest, MalformedTextIsRefusedAndChangesNothing) {
    for (const char* text : {"", "abc", "1-", "-", ".", "1e3", "+5", " 5"}) {
        const CommitOutcome outcome = commitTypedCell(maps, *map, text, formats);
        EXPECT_EQ(outcome.message, 1505) << text;
        EXPECT_EQ(outcome.cellText, "0.0") << text;
    }
    map->y.rawExpr = "x/0";
    EXPECT_EQ(commitTypedCell(maps, *map, "5", formats).message, 1505);
    EXPECT_TRUE(observer.calls.empty());
    EXPECT_EQ(image.byte(map->y.address), 0);
    EXPECT_EQ(rejectionText(), "Data error\nData is set as before editing");
}

TEST_F(CommitTest, OutOfRangeValuesEndAtTheNearestAllowedOne) {
    CommitOutcome outcome = commitTypedCell(maps, *map, "250", formats);
    EXPECT_EQ(image.byte(map->y.address), 200); // the raw limit
    ASSERT_TRUE(outcome.warning);
    EXPECT_EQ(outcome.warning->text(),
              "Input Data Range Over:250.00 \n (0.00<=Data<=200.00)\n set 200.00");

    // Raw 3 reads 0.9, below the input range: one raw step up.
    map->y.min = "1";
    map->y.max = "60";
    map->y.physicalExpr = "x*0.3";
    map->y.rawExpr = "x/0.3";
    recomputeRawLimits(*map, image);
    outcome = commitTypedCell(maps, *map, "0", formats);
    EXPECT_EQ(image.byte(map->y.address), 4);
    EXPECT_EQ(outcome.cellText, "1.2");
}

TEST_F(CommitTest, YValuesSnapToTheStepAndPerRowXValuesDoNot) {
    map->y.physicalExpr = "x*0.1";
    map->y.rawExpr = "x*10";
    map->y.step = 0.5f;
    recomputeRawLimits(*map, image);
    commitTypedCell(maps, *map, "1.26", formats);
    EXPECT_EQ(image.byte(map->y.address), 15);

    Map perRow = freeMap(image, 0x8100, 2, 3, MapKind::PerRowX);
    perRow.x.step = 5.0f;
    Map& added = maps.add(std::move(perRow));
    selectCell(added, image, EditTarget::X, 1, 2);
    commitTypedCell(maps, added, "7.8", formats);
    EXPECT_EQ(image.byte(static_cast<std::uint16_t>(xAddress(added, 1, 2))), 7);
}

TEST_F(CommitTest, AxisValuesStayBetweenTheirNeighbours) {
    map->x.step = 2.0f;
    const struct {
        int index;
        const char* text;
        int raw;
    } cases[] = {
        {1, "25", 25},   // inside: taken as typed
        {1, "35", 28},   // above the right neighbour 30: the lower of 30 - step and raw 29
        {1, "30", 28},   // equal to it: the same
        {1, "29.4", 28}, // shown as 29, still within one step of 30
        {1, "5", 12},    // below the left neighbour 10: 10 + step
        {3, "300", 255}, // above the cap: the cap, no right neighbour
    };
    for (const auto& c : cases) {
        putBytes(image, map->x.address, {10, 20, 30, 40});
        const CommitOutcome outcome = axis(EditTarget::X, c.index, c.text);
        EXPECT_EQ(outcome.message, 0) << c.text;
        EXPECT_EQ(readX(*map, image, c.index).value, c.raw) << c.text;
        EXPECT_EQ(map->currentRaw, c.raw) << c.text;
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

    outcome = axis(EditTarget::X, 1, "3"); // left neighbour 15 is not above the range end
    EXPECT_EQ(readX(*map, image, 1).value, 16);
    outcome = axis(EditTarget::X, 2, "90"); // right neighbour 34 is below the end 35
    EXPECT_EQ(readX(*map, image, 2).value, 33);
    EXPECT_TRUE(outcome.warning);
}

TEST_F(CommitTest, DownwardZAxisSwapsItsNeighbours) {
    const struct {
        std::vector<std::uint8_t> z;
        const char* text;
        int raw;
    } cases[] = {
        {{10, 20, 30}, "35", 29},
        {{10, 20, 30}, "5", 11},
        {{30, 20, 10}, "35", 29},
        {{30, 20, 10}, "5", 11},
    };
    for (const auto& c : cases) {
        putBytes(image, map->z.address, c.z);
        axis(EditTarget::Z, 1, c.text);
        EXPECT_EQ(readZ(*map, image, 1).value, c.raw) << int(c.z[0]) << " " << c.text;
    }
}

TEST_F(CommitTest, WordAxisValuesAreWrittenWhole) {
    Map words;
    words.kind = MapKind::Addressed;
    words.z = identityAxis("THROT", "0", "65535");
    words.x = identityAxis("RPM", "0", "65535");
    words.y = identityAxis("DATA");
    words.z.elementSize = 2;
    words.z.count = 3;
    words.x.count = 1;
    words.z.address = 0x9000;
    words.x.address = 0x9010;
    words.y.address = 0x9100;
    image.setWord(0x9000, 1000);
    image.setWord(0x9002, 2000);
    image.setWord(0x9004, 3000);
    Map& added = maps.add(std::move(words));
    selectCell(added, image, EditTarget::Z, 0, 1);
    EXPECT_TRUE(commitAxisValue(maps, added, "2500", formats).written);
    EXPECT_EQ(image.word(0x9002), 2500);
    EXPECT_FALSE(commitAxisValue(maps, added, "2500", formats).written);
    EXPECT_EQ(commitAxisValue(maps, added, "25x", formats).message, 1505);
}

TEST_F(CommitTest, RaiseAndLowerStayWithinTheLimits) {
    map->y.min = "0";
    map->y.max = "255";
    recomputeRawLimits(*map, image);
    EXPECT_EQ(steppedYRaw(*map, 254, 1, formats), 255);
    EXPECT_EQ(steppedYRaw(*map, 250, 10, formats), 255);
    EXPECT_FALSE(steppedYRaw(*map, 255, 1, formats));
    EXPECT_FALSE(steppedYRaw(*map, 0, -10, formats));
    EXPECT_EQ(steppedYRaw(*map, 5, -10, formats), 0);
    map->limits = {20, 200};
    EXPECT_EQ(steppedYRaw(*map, 195, 10, formats), 200);
    EXPECT_FALSE(steppedYRaw(*map, 210, 1, formats)); // never moves away from the limits

    map->y.min = "0";
    map->y.max = "2";
    map->y.physicalExpr = "x*0.1";
    map->y.rawExpr = "x*10";
    map->y.step = 0.5f;
    recomputeRawLimits(*map, image);
    EXPECT_EQ(steppedYRaw(*map, 10, 1, formats), 15);
    EXPECT_EQ(steppedYRaw(*map, 10, 10, formats), 20); // shrinks until it fits
    EXPECT_FALSE(steppedYRaw(*map, 20, 1, formats));
    EXPECT_EQ(steppedYRaw(*map, 10, -10, formats), 0);
}

} // namespace
} // namespace qmx::maps
