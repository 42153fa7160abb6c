#include "maps/map.h"

#include <tuple>

#include <gtest/gtest.h>

#include "maps/editstate.h"
#include "maps/mapset.h"
#include "maptestutil.h"

namespace qmx::maps {
namespace {

using test::freeMap;
using test::putBytes;

class MapTest : public ::testing::Test {
protected:
    void SetUp() override {
        maps.setModifiedHandler([this] { ++modified; });
    }
    // A config map with word axes: 3 Z values at 0x9000, 4 X values at 0x9010, Y at 0x9100.
    Map wordAxisMap(MapKind kind = MapKind::Addressed) {
        Map map = freeMap(image, 0, 3, 4, kind, "IGN1");
        map.z.elementSize = map.x.elementSize = 2;
        map.z.address = 0x9000;
        map.x.address = 0x9010;
        map.y.address = 0x9100;
        return map;
    }

    config::EcuImage image;
    MapSet maps{image};
    int modified = 0;
};

// (Where each kind's values lie, read: the samples' golden export and qmxctl info.)
TEST_F(MapTest, PerRowXAndWordAxesAreWrittenWhereTheyLie) {
    const Map perRow = freeMap(image, 0x8100, 3, 4, MapKind::PerRowX);
    EXPECT_EQ(xAddress(perRow, 2, 1), perRow.x.address + 9u);
    EXPECT_EQ(readX(perRow, image, 1, 3).result, Access::RowOutOfRange);

    Map& words = maps.add(wordAxisMap());
    ASSERT_EQ(maps.writeX(words, 0x0BB8, 2), Access::Ok);
    EXPECT_EQ(image.byte(0x9014), 0x0B);
    EXPECT_EQ(image.byte(0x9015), 0xB8);
    ASSERT_EQ(maps.writeZ(words, 0x1234, 1), Access::Ok);
    EXPECT_EQ(readZ(words, image, 1).value, 0x1234);
    EXPECT_EQ(modified, 2);

    Map& labelled = maps.add(wordAxisMap(MapKind::Labelled));
    EXPECT_EQ(maps.writeZ(labelled, 1, 0), Access::NotInImage);
    EXPECT_EQ(maps.writeY(labelled, 5, 3, 2), Access::Ok);
    EXPECT_EQ(image.byte(0x9100 + 11), 5);
}

TEST_F(MapTest, AccessOutsideTheMapChangesNothing) {
    Map& map = maps.add(freeMap(image, 0x8000, 3, 4));
    for (auto [column, row, result] :
         {std::tuple{0, 3, Access::RowOutOfRange}, std::tuple{4, 0, Access::ColumnOutOfRange},
          std::tuple{0, -1, Access::RowOutOfRange}}) {
        EXPECT_EQ(maps.writeY(map, 9, column, row), result);
    }
    EXPECT_EQ(maps.writeX(map, 9, 4), Access::ColumnOutOfRange);
    EXPECT_EQ(maps.writeZ(map, 9, 3), Access::RowOutOfRange);
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(image.byte(0x8009 + 12), 0); // where row 3 would begin
}

TEST_F(MapTest, YLimitsComeFromTheLimitsThroughTheRawExpression) {
    Map map = freeMap(image, 0x8000, 2, 2);
    map.y.min = "10";
    map.y.max = "200";
    map.y.inputMax = "150";
    selectFirstCell(map, image);
    EXPECT_EQ(rawLimits(map, image).lowest, 10);
    EXPECT_EQ(rawLimits(map, image).highest, 150);
    map.y.rawExpr = "x*2"; // 400 is capped at a byte
    EXPECT_EQ(rawLimits(map, image).highest, 255);

    map.y.inputMax = "";
    map.y.min = "0";
    map.y.max = "100";
    map.y.rawExpr = "100-x"; // a falling conversion crosses the limits
    EXPECT_EQ(rawLimits(map, image).lowest, 100);
    EXPECT_EQ(rawLimits(map, image).apply(50), 0); // raised to the lowest, then capped
}

// (An axis value's limits are its neighbours: the commit tests.)
TEST_F(MapTest, RelayoutFollowsTheCountBytes) {
    maps.setSource(MapSource::Free);
    maps.setFreeMapArea({0x8000, 0x8100, 0x8100});
    Map& first = maps.add(freeMap(image, 0x8000, 2, 2, MapKind::Shared, "A1"));
    Map& second = maps.add(freeMap(image, 0x800A, 2, 3, MapKind::PerRowX, "A2"));
    selectCell(first, image, EditTarget::Y, 1, 1);

    putBytes(image, 0x8000, {15, 17}); // 255 cells, laid out whole
    ASSERT_TRUE(maps.relayoutFreeMaps());
    EXPECT_EQ(first.y.count, 255);
    EXPECT_EQ(first.y.address, 0x8002 + 15 + 17);
    EXPECT_EQ(second.z.address, first.y.address + 255 + 2);

    putBytes(image, 0x8000, {1, 1});
    ASSERT_TRUE(maps.relayoutFreeMaps());
    EXPECT_EQ(first.editRow, 0); // the selected cell left the map
}

TEST_F(MapTest, RelayoutPastTheImageEndKeepsTheOldLayout) {
    maps.setSource(MapSource::Free);
    maps.setFreeMapArea({0xFF00, 0xFFF0, 0xFFF0});
    Map& map = maps.add(freeMap(image, 0xFF00, 4, 4));
    putBytes(image, 0xFF00, {200, 200});
    EXPECT_FALSE(maps.relayoutFreeMaps());
    EXPECT_EQ(map.rows(), 4);

    EXPECT_FALSE(placeFreeMap(image, 0xFFFF, MapKind::Shared)); // no room for the counts
    putBytes(image, 0xFFEB, {3, 4}); // 2 + 3 + 4 + 12 bytes end exactly at 0xFFFF
    EXPECT_EQ(placeFreeMap(image, 0xFFEB, MapKind::Shared)->next, 0x10000u);
    putBytes(image, 0xFFEC, {3, 4}); // one byte further
    EXPECT_FALSE(placeFreeMap(image, 0xFFEC, MapKind::Shared));
}

} // namespace
} // namespace qmx::maps
