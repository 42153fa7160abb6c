#include "maps/map.h"

#include <gtest/gtest.h>

#include "maps/editstate.h"
#include "maps/mapset.h"
#include "maptestutil.h"

namespace qmx::maps {
namespace {

using test::freeMap;
using test::identityAxis;
using test::putBytes;

// A config map with word axes: 3 Z values at 0x9000, 4 X values at 0x9010, Y at 0x9100.
Map wordAxisMap() {
    Map map;
    map.kind = MapKind::Addressed;
    map.name = "IGN1";
    map.z = identityAxis("THROT", "0", "65535");
    map.x = identityAxis("RPM", "0", "65535");
    map.y = identityAxis("DATA");
    map.z.elementSize = map.x.elementSize = 2;
    map.z.count = 3;
    map.x.count = 4;
    map.z.address = 0x9000;
    map.x.address = 0x9010;
    map.y.address = 0x9100;
    return map;
}

class MapTest : public ::testing::Test {
protected:
    config::EcuImage image;
    MapSet maps{image};
    int modified = 0;
    void SetUp() override {
        maps.setModifiedHandler([this] { ++modified; });
    }
};

TEST_F(MapTest, FreeMapsLieBehindTheirCountBytes) {
    const Map shared = freeMap(image, 0x8000, 3, 4);
    EXPECT_EQ(shared.z.address, 0x8002);
    EXPECT_EQ(shared.x.address, 0x8005);
    EXPECT_EQ(shared.y.address, 0x8009);
    EXPECT_EQ(yAddress(shared, 2, 1), 0x8009u + 9);
    EXPECT_EQ(xAddress(shared, 2, 1), 0x8006u); // one X row whatever the row

    const Map perRow = freeMap(image, 0x8100, 3, 4, MapKind::PerRowX);
    EXPECT_EQ(perRow.y.address, perRow.x.address + 12);
    EXPECT_EQ(xAddress(perRow, 2, 1), perRow.x.address + 9u);
    image.setByte(static_cast<std::uint16_t>(perRow.x.address + 9), 77);
    EXPECT_EQ(readX(perRow, image, 1, 2).value, 77);
    EXPECT_EQ(readX(perRow, image, 1, 3).result, Access::RowOutOfRange);
}

TEST_F(MapTest, WordAxesAreBigEndian) {
    Map& map = maps.add(wordAxisMap());
    EXPECT_EQ(map.y.count, 12);
    ASSERT_EQ(maps.writeX(map, 0x0BB8, 2), Access::Ok);
    EXPECT_EQ(image.byte(0x9014), 0x0B);
    EXPECT_EQ(image.byte(0x9015), 0xB8);
    EXPECT_EQ(readX(map, image, 2).value, 0x0BB8);
    ASSERT_EQ(maps.writeZ(map, 0x1234, 1), Access::Ok);
    EXPECT_EQ(image.byte(0x9002), 0x12);
    EXPECT_EQ(readZ(map, image, 1).value, 0x1234);
    EXPECT_EQ(modified, 2);
}

TEST_F(MapTest, AccessOutsideTheMapChangesNothing) {
    Map& map = maps.add(freeMap(image, 0x8000, 3, 4));
    const struct {
        int column;
        int row;
        Access result;
    } cases[] = {{0, 3, Access::RowOutOfRange},
                 {4, 0, Access::ColumnOutOfRange},
                 {-1, 0, Access::ColumnOutOfRange},
                 {0, -1, Access::RowOutOfRange}};
    for (const auto& c : cases) {
        EXPECT_EQ(readY(map, image, c.column, c.row).result, c.result);
        EXPECT_EQ(maps.writeY(map, 9, c.column, c.row), c.result);
    }
    EXPECT_EQ(maps.writeX(map, 9, 4), Access::ColumnOutOfRange);
    EXPECT_EQ(maps.writeZ(map, 9, 3), Access::RowOutOfRange);
    EXPECT_EQ(modified, 0);
    for (std::uint16_t a = 0x8002; a < 0x8020; ++a)
        EXPECT_EQ(image.byte(a), 0) << a;

    Map labelled = wordAxisMap();
    labelled.kind = MapKind::Labelled;
    Map& fixed = maps.add(labelled);
    EXPECT_EQ(readX(fixed, image, 0).result, Access::NotInImage);
    EXPECT_EQ(maps.writeZ(fixed, 1, 0), Access::NotInImage);
    EXPECT_EQ(maps.writeY(fixed, 5, 3, 2), Access::Ok);
    EXPECT_EQ(image.byte(0x9100 + 11), 5);
}

TEST_F(MapTest, SelectionReadsTheCellAndFollowsTheRow) {
    Map map = freeMap(image, 0x8000, 3, 4);
    putBytes(image, map.z.address, {10, 20, 30});
    putBytes(image, map.y.address, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    selectFirstCell(map, image);
    EXPECT_EQ(map.target, EditTarget::Y);
    EXPECT_EQ(map.currentRaw, 1);
    selectCell(map, image, EditTarget::Y, 0, 2);
    EXPECT_EQ(selectRow(map, image, 2), Access::Ok);
    EXPECT_EQ(map.currentRaw, 11);
    EXPECT_EQ(selectRow(map, image, 3), Access::RowOutOfRange);
    EXPECT_EQ(map.editRow, 2);
    selectCell(map, image, EditTarget::Z, 0, 0);
    selectRow(map, image, 1);
    EXPECT_EQ(map.editIndex, 1);
    EXPECT_EQ(map.currentRaw, 20);

    Map empty = freeMap(image, 0x8100, 0, 4);
    selectFirstCell(empty, image);
    EXPECT_EQ(empty.target, EditTarget::None);
}

TEST_F(MapTest, YLimitsComeFromTheLimitsThroughTheRawExpression) {
    Map map = freeMap(image, 0x8000, 2, 2);
    map.y.min = "10";
    map.y.max = "200";
    map.y.inputMax = "150";
    selectFirstCell(map, image);
    EXPECT_EQ(map.limits.lowest, 10);
    EXPECT_EQ(map.limits.highest, 150);

    map.y.rawExpr = "x*2"; // 400 is capped at a byte
    recomputeRawLimits(map, image);
    EXPECT_EQ(map.limits.highest, 255);
    map.y.rawExpr = "x/0"; // failures leave the widest limits
    recomputeRawLimits(map, image);
    EXPECT_EQ(map.limits.lowest, 0);
    EXPECT_EQ(map.limits.highest, 255);

    map.y.min = "0";
    map.y.max = "100";
    map.y.inputMax = "";
    map.y.rawExpr = "100-x"; // a falling conversion crosses the limits
    recomputeRawLimits(map, image);
    EXPECT_EQ(map.limits.lowest, 100);
    EXPECT_EQ(map.limits.highest, 0);
    EXPECT_EQ(map.limits.apply(50), 0); // raised to the lowest, then capped at the highest
}

TEST_F(MapTest, AxisLimitsAreTheNeighbours) {
    Map map = freeMap(image, 0x8000, 3, 4);
    putBytes(image, map.x.address, {10, 20, 30, 40});
    const struct {
        int index;
        int lowest;
        int highest;
    } xCases[] = {{0, 0, 20}, {2, 20, 40}, {3, 30, 255}};
    for (const auto& c : xCases) {
        selectCell(map, image, EditTarget::X, 0, c.index);
        EXPECT_EQ(map.limits.lowest, c.lowest) << c.index;
        EXPECT_EQ(map.limits.highest, c.highest) << c.index;
    }

    const struct {
        std::vector<std::uint8_t> z;
        int index;
        int lowest;
        int highest;
    } zCases[] = {
        {{10, 20, 30}, 0, 0, 20},  {{10, 20, 30}, 2, 20, 255}, {{30, 20, 10}, 0, 20, 255},
        {{30, 20, 10}, 1, 10, 30}, {{30, 20, 10}, 2, 0, 20},
    };
    for (const auto& c : zCases) {
        putBytes(image, map.z.address, c.z);
        selectCell(map, image, EditTarget::Z, 0, c.index);
        EXPECT_EQ(map.limits.lowest, c.lowest) << int(c.z[0]) << " " << c.index;
        EXPECT_EQ(map.limits.highest, c.highest) << int(c.z[0]) << " " << c.index;
    }

    Map words = wordAxisMap();
    selectCell(words, image, EditTarget::X, 0, 3);
    EXPECT_EQ(words.limits.highest, 0xFFFF);
}

TEST_F(MapTest, RelayoutFollowsTheCountBytes) {
    maps.setSource(MapSource::Free);
    maps.setFreeMapArea({0x8000, 0x8100, 0x8100});
    Map& first = maps.add(freeMap(image, 0x8000, 2, 2, MapKind::Shared, "A1"));
    Map& second = maps.add(freeMap(image, 0x800A, 2, 3, MapKind::PerRowX, "A2"));
    selectCell(first, image, EditTarget::Y, 1, 1);

    putBytes(image, 0x8000, {15, 17}); // 255 cells
    ASSERT_TRUE(maps.relayoutFreeMaps());
    EXPECT_EQ(first.y.count, 255);
    EXPECT_EQ(first.y.address, 0x8002 + 15 + 17);
    EXPECT_EQ(second.z.address, first.y.address + 255 + 2);
    EXPECT_EQ(second.rows(), image.byte(static_cast<std::uint16_t>(first.y.address + 255)));
    EXPECT_EQ(first.target, EditTarget::Y); // the cell is still in the map
    EXPECT_EQ(first.currentRaw, image.byte(static_cast<std::uint16_t>(yAddress(first, 1, 1))));

    putBytes(image, 0x8000, {1, 1});
    ASSERT_TRUE(maps.relayoutFreeMaps());
    EXPECT_EQ(first.editRow, 0); // the selected cell left the map
    EXPECT_EQ(first.editIndex, 0);
}

TEST_F(MapTest, RelayoutPastTheImageEndKeepsTheOldLayout) {
    maps.setSource(MapSource::Free);
    maps.setFreeMapArea({0xFF00, 0xFFF0, 0xFFF0});
    Map& map = maps.add(freeMap(image, 0xFF00, 4, 4));
    const std::uint16_t before = map.y.address;
    putBytes(image, 0xFF00, {200, 200});
    EXPECT_FALSE(maps.relayoutFreeMaps());
    EXPECT_EQ(map.y.address, before);
    EXPECT_EQ(map.rows(), 4);

    EXPECT_FALSE(placeFreeMap(image, 0xFFFF, MapKind::Shared)); // no room for the counts
    putBytes(image, 0xFFEB, {3, 4}); // 2 + 3 + 4 + 12 bytes end exactly at 0xFFFF
    const auto last = placeFreeMap(image, 0xFFEB, MapKind::Shared);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->next, 0x10000u);
    putBytes(image, 0xFFEC, {3, 4}); // one byte further
    EXPECT_FALSE(placeFreeMap(image, 0xFFEC, MapKind::Shared));
}

} // namespace
} // namespace qmx::maps
