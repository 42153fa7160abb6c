#include "maps/tablecontroller.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

#include "maps/editstate.h"
#include "maps/undohistory.h"
#include "maptestutil.h"
#include "text/messages.h"

namespace qmx::maps {
namespace {

using test::freeMap;
using test::putBytes;
namespace cmd = tablecmd;

constexpr int kCellWidth = 40;
constexpr int kCellHeight = 20;

// A free 4 × 6 map with Z 10..40, X 10..60 and Y values row × 10 + column, shown in a
// window of 400 × 200 grid pixels with integer display formats.
class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        maps.setSource(MapSource::Free);
        maps.setEditObserver(&history);
        map = &maps.add(freeMap(image, 0x8000, 4, 6));
        putBytes(image, map->z.address, {10, 20, 30, 40});
        putBytes(image, map->x.address, {10, 20, 30, 40, 50, 60});
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 6; ++column)
                image.setByte(static_cast<std::uint16_t>(yAddress(*map, row, column)),
                              static_cast<std::uint8_t>(row * 10 + column));
        maps.setCurrent(0);
        table.setViewSize(400, 200);
        table.refresh();
    }
    std::uint8_t y(int row, int column) const { return readY(*map, image, column, row).value; }
    void setY(int row, int column, std::uint8_t value) {
        image.setByte(static_cast<std::uint16_t>(yAddress(*map, row, column)), value);
    }
    // The window point in the middle of Y cell (row, column) (of a grid row for per-row maps).
    static std::pair<int, int> centre(int gridRow, int column) {
        return {(column + 1) * kCellWidth + kCellWidth / 2, (gridRow + 1) * kCellHeight + 5};
    }
    void click(int gridRow, int column, bool shift = false) {
        const auto [x, y] = centre(gridRow, column);
        table.mousePress(x, y, shift);
        table.mouseRelease();
    }
    std::vector<GridCell> selected() const {
        std::vector<GridCell> cells;
        for (const GridCell cell : map->selection.cells())
            cells.push_back(cell);
        return cells;
    }
    void commands(std::initializer_list<int> codes) {
        for (int code : codes)
            table.command(code);
    }
    std::pair<EditTarget, int> current() const { return {map->target, map->editIndex}; }

    config::EcuImage image;
    MapSet maps{image};
    UndoHistory history{maps, 1024};
    test::RecordingSink sink;
    TableController table{maps, sink, DisplayFormats{0, 0, 0}, kCellWidth, kCellHeight};
    Map* map = nullptr;
};

TEST(TableLayoutTest, ScrollBarsAndRanges) {
    // columns, grid rows, width, height: horizontal bar and range, vertical bar and range
    const std::array<int, 8> cases[] = {
        {3, 1, 100, 100, true, 1, false, 0},
        {10, 30, 0, 0, true, 10, true, 30},
    };
    for (const auto& c : cases) {
        TableLayout layout;
        layout.setCellSize(40, 20);
        layout.setViewSize(c[2], c[3]);
        layout.setExtent(c[0], c[1]);
        EXPECT_EQ((std::array{int(layout.horizontalBar()), layout.horizontalRange(),
                              int(layout.verticalBar()), layout.verticalRange()}),
                  (std::array{c[4], c[5], c[6], c[7]}))
            << c[0] << "x" << c[1] << " in " << c[2] << "x" << c[3];
    }
    TableLayout layout;
    layout.setCellSize(0, -3); // never a division by zero
    layout.setViewSize(100, 100);
    layout.setExtent(300, 300);
    layout.scrollTo(290, 500);
    EXPECT_EQ(std::pair(layout.firstColumn(), layout.firstRow()), std::pair(200, 200));
    layout.setViewSize(1000, 1000); // a wider window pulls the position back into range
    EXPECT_EQ(layout.firstColumn(), 0);
}

TEST_F(TableTest, HitTestFollowsTheScrollPosition) {
    // (Clicks on Y cells: the widget tests.)
    const std::tuple<int, int, EditTarget, int, int> cases[] = {
        {10, 45, EditTarget::Z, 1, 1},   {90, 5, EditTarget::X, 0, 1},
        {10, 5, EditTarget::None, 0, 0}, {290, 25, EditTarget::None, 0, 0},
        {50, 105, EditTarget::None, 0, 0},
    };
    for (const auto& [x, y, target, row, index] : cases) {
        const TableHit hit = table.hitTest(x, y);
        EXPECT_EQ(hit.target, target) << x << "," << y;
        if (target != EditTarget::None) {
            EXPECT_EQ(std::pair(hit.row, hit.index), std::pair(row, index)) << x << "," << y;
        }
    }
    EXPECT_EQ(table.hitTest(130, 65).raw, 22);

    table.setViewSize(120, 40); // 3 columns, 2 rows fit
    table.scrollTo(2, 1);
    EXPECT_EQ(std::pair(table.hitTest(50, 25).row, table.hitTest(50, 25).index), std::pair(1, 2));
}

TEST_F(TableTest, SelectionByMouse) {
    // (Shift+click, Shift+arrows and their collapse: the widget test.) Drag from (0, 0) to
    // (2, 1), then a move without the button ends the mouse-down state.
    auto [x, y] = centre(0, 0);
    table.mousePress(x, y, false);
    EXPECT_TRUE(table.mouseDown());
    std::tie(x, y) = centre(2, 1);
    table.mouseMove(x, y, true);
    EXPECT_EQ(selected().size(), 6u);
    EXPECT_EQ(current(), std::pair(EditTarget::Y, 1));
    table.mouseMove(x, y, false);
    EXPECT_FALSE(table.mouseDown());
}

TEST_F(TableTest, PerRowXMapsTakeTwoGridRowsPerZValue) {
    maps.setCurrent(static_cast<int>(maps.size()));
    Map& perRow = maps.add(freeMap(image, 0x8100, 3, 2, MapKind::PerRowX, "MAP2"));
    map = &perRow;
    maps.setCurrent(1);
    table.refresh();
    EXPECT_EQ(table.layout().gridRows(), 6);
    EXPECT_EQ(table.hitTest(50, 25).target, EditTarget::X);
    EXPECT_EQ(table.hitTest(50, 45).target, EditTarget::Y);
    EXPECT_EQ(table.hitTest(10, 25).target, EditTarget::Z);
    EXPECT_EQ(table.hitTest(10, 45).target, EditTarget::None);
    EXPECT_EQ(table.hitTest(50, 5).target, EditTarget::None); // X values live in the grid

    std::string path; // the target and row after each move
    for (int code : {cmd::Down, cmd::Down, cmd::Up, cmd::Up, cmd::Up, cmd::Up}) {
        table.command(code);
        path += (map->target == EditTarget::X ? " X" : " Y") + std::to_string(map->editRow);
    }
    EXPECT_EQ(path, " X1 Y1 X1 Y0 X0 X0");
    EXPECT_FALSE(table.mouseDoubleClick(50, 45).handled); // no double-click edit here
    EXPECT_FALSE(table.editing());
}

// (The message texts: the qmxctl tests.)
TEST_F(TableTest, ACommitShowsItsMessageAndAClickElsewhereCommitsFirst) {
    map->y.max = "100";
    click(0, 0);
    table.command(cmd::EditBox);
    table.setEditText("abc");
    EXPECT_FALSE(table.command(cmd::Enter).valuesChanged);
    EXPECT_EQ(sink.shown.size(), 1u);

    table.typeCharacter('-');
    table.setEditText("300");
    click(1, 1); // a click elsewhere commits the changed text first
    EXPECT_EQ(y(0, 0), 100);
    EXPECT_EQ(sink.shown.size(), 2u); // the range message
    EXPECT_EQ(current(), std::pair(EditTarget::Y, 1));
}

TEST_F(TableTest, PasteBlocksAndSingleValues) {
    click(1, 1);
    EXPECT_TRUE(table.paste("1\t2\r\n3\t\r\n").valuesChanged);
    EXPECT_EQ((std::vector<int>{y(1, 1), y(1, 2), y(2, 1), y(2, 2)}),
              (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(map->undo.size(), 5u); // the current cell starts the group
    EXPECT_EQ(history.undo(*map).restored, 5);
    EXPECT_EQ(y(2, 2), 22);

    click(0, 5); // the last column: only the first column of the block lands
    table.paste("7\t8\t9\r\n7\t8\t9\r\n7\t8\t9");
    EXPECT_EQ((std::vector<int>{y(0, 5), y(1, 5), y(2, 5), y(0, 4)}),
              (std::vector<int>{7, 7, 7, 4}));

    click(0, 0);
    click(2, 1, true);
    ASSERT_EQ(selected().size(), 6u);
    table.paste("9");
    for (const GridCell cell : selected())
        EXPECT_EQ(y(cell.row, cell.column), 9);
    EXPECT_EQ(history.undo(*map).restored, 7);
    EXPECT_EQ(y(2, 1), 21);
    EXPECT_EQ(current(), std::pair(EditTarget::Y, 1)); // the current cell started the group
    EXPECT_EQ(map->editRow, 2);

    // (Refused texts and their messages: the widget test.)
    table.mousePress(10, 45, false); // an axis value takes one value by the axis rules
    table.paste("15");
    EXPECT_EQ(readZ(*map, image, 1).value, 15);
    table.paste("5\t6");
    EXPECT_EQ(sink.shown.at(0).find(text::messageText(1547)), 1u);
    table.command(cmd::EditBox);
    EXPECT_FALSE(table.paste("8").handled); // the open edit box takes the text
}

} // namespace
} // namespace qmx::maps
