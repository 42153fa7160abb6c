#include "maps/undohistory.h"

#include <gtest/gtest.h>


#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "maptestutil.h"

namespace qmx::maps {
namespace {

using test::freeMap;
using test::putBytes;

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        maps.setSource(MapSource::Free);
        maps.setEditObserver(&history);
        map = &maps.add(freeMap(image, 0x8000, 3, 4));
        putBytes(image, map->z.address, {10, 20, 30});
        putBytes(image, map->x.address, {10, 20, 30, 40});
    }
    // Writes `raw` into a cell through the ordinary write path.
    void write(EditTarget target, int row, int index, std::uint16_t raw,
               EditFamily family = EditFamily::Edit, bool grouped = false) {
        ASSERT_EQ(selectCell(*map, image, target, row, index), Access::Ok);
        ASSERT_TRUE(writeCurrentCell(maps, *map, raw, family, grouped));
    }
    std::uint8_t y(int row, int column) const { return readY(*map, image, column, row).value; }

    config::EcuImage image;
    MapSet maps{image};
    UndoHistory history{maps, 1024};
    Map* map = nullptr;
};

TEST_F(UndoTest, BudgetTrimsOldestButAlwaysKeepsTheNewRecord) {
    struct Case {
        int budget;
        int pushes;
        std::size_t kept;
    };
    for (const Case c : {Case{9, 3, 3}, Case{9, 4, 3}, Case{10, 5, 4}, Case{3, 3, 1}, Case{0, 2, 1},
                         Case{-5, 2, 1}}) {
        map->undo = UndoList{};
        history.setBudget(c.budget);
        for (int i = 0; i < c.pushes; ++i)
            write(EditTarget::Y, 0, i % 4, static_cast<std::uint16_t>(100 + i));
        EXPECT_EQ(map->undo.size(), c.kept) << c.budget << "/" << c.pushes;
        // The newest record is the last write's cell, holding the value before it.
        EXPECT_EQ(map->undo.newest().addresses.front(), yAddress(*map, 0, (c.pushes - 1) % 4));
    }
}

TEST_F(UndoTest, GroupIsUndoneTogetherAndSelectionEndsAtTheRestoredCell) {
    write(EditTarget::X, 0, 1, 25); // an earlier action
    putBytes(image, yAddress(*map, 1, 0), {1, 2, 3, 4});
    for (int column = 0; column < 4; ++column)
        write(EditTarget::Y, 1, column, 9, EditFamily::Edit, column > 0);
    map->selection.add({2, 2});

    const UndoResult result = history.undo(*map);
    EXPECT_EQ(result.restored, 4);
    EXPECT_EQ((std::vector<int>{y(1, 0), y(1, 1), y(1, 2), y(1, 3)}),
              (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(map->selection.empty());
    EXPECT_EQ(map->selection.anchor(), (GridCell{1, 0}));
    EXPECT_EQ(map->target, EditTarget::Y);
    EXPECT_EQ(map->editIndex, 0);
    EXPECT_EQ(undoMenuItem(map).text, "&Undo(Edit RPM)\tCtrl+Z");

    EXPECT_EQ(history.undo(*map).restored, 1);
    EXPECT_EQ(readX(*map, image, 1).value, 20);
    EXPECT_EQ(history.undo(*map).restored, 0);
}

TEST_F(UndoTest, LocateRulesOfConfigMaps) {
    maps.setSource(MapSource::Config);
    Map& words = maps.add(freeMap(image, 0, 3, 4, MapKind::Addressed, "IGN1"));
    words.x.elementSize = 2;
    words.x.address = 0x9010;
    words.y.address = 0x9100;
    image.setWord(0x9014, 0x1234);
    ASSERT_EQ(selectCell(words, image, EditTarget::X, 0, 2), Access::Ok);
    ASSERT_TRUE(writeCurrentCell(maps, words, 0x0BB8, EditFamily::Edit, false));
    EXPECT_EQ(words.undo.newest().values.front(), 0x1234);
    EXPECT_EQ(history.undo(words).restored, 1);
    EXPECT_EQ(image.byte(0x9014), 0x12);
    EXPECT_EQ(image.byte(0x9015), 0x34);
    EXPECT_EQ(words.target, EditTarget::X);
    EXPECT_FALSE(words.selection.anchor().valid());

    // A labelled map takes every address as a Y value; one outside its cells stays.
    Map& labelled = maps.add(freeMap(image, 0, 3, 4, MapKind::Labelled, "LBL"));
    labelled.y.address = 0x9200;
    labelled.undo.append({12, {0x9200 + 5}, {7}, false}, 1024);
    labelled.undo.append({12, {0x8000}, {7}, false}, 1024);
    EXPECT_EQ(history.undo(labelled).restored, 0);
    EXPECT_EQ(labelled.undo.size(), 2u);
    labelled.undo.dropNewest();
    EXPECT_EQ(history.undo(labelled).restored, 1);
    EXPECT_EQ(image.byte(0x9205), 7);
    EXPECT_EQ(labelled.selection.anchor(), (GridCell{1, 1}));
}

TEST_F(UndoTest, UndoOfAYValueReachesLinkedMaps) {
    Map& other = maps.add(freeMap(image, 0x8100, 3, 4, MapKind::Shared, "MAP2"));
    map = &maps.at(0);
    maps.link().set(LinkMode::All, {"MAP1", "MAP2"});
    write(EditTarget::Y, 2, 3, 42);
    EXPECT_EQ(image.byte(static_cast<std::uint16_t>(yAddress(other, 2, 3))), 42);
    write(EditTarget::Z, 1, 1, 25);
    EXPECT_TRUE(history.undo(*map).zValue);
    EXPECT_EQ(history.undo(*map).restored, 1);
    EXPECT_EQ(y(2, 3), 0);
    EXPECT_EQ(image.byte(static_cast<std::uint16_t>(yAddress(other, 2, 3))), 0);
    EXPECT_TRUE(other.undo.empty());
}

} // namespace
} // namespace qmx::maps
