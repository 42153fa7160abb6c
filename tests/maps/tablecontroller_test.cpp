#include "maps/tablecontroller.h"

#include <gtest/gtest.h>

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
    struct Case {
        int columns, gridRows, width, height;
        bool hBar;
        int hRange;
        bool vBar;
        int vRange;
    };
    for (const Case c :
         {Case{3, 1, 100, 100, true, 1, false, 0}, Case{2, 5, 100, 100, false, 0, false, 0},
          Case{3, 6, 120, 100, false, 0, true, 1}, Case{10, 30, 0, 0, true, 10, true, 30}}) {
        TableLayout layout;
        layout.setCellSize(40, 20);
        layout.setViewSize(c.width, c.height);
        layout.setExtent(c.columns, c.gridRows);
        EXPECT_EQ(layout.horizontalBar(), c.hBar) << c.columns << "x" << c.width;
        EXPECT_EQ(layout.horizontalRange(), c.hRange) << c.columns << "x" << c.width;
        EXPECT_EQ(layout.verticalBar(), c.vBar) << c.gridRows << "x" << c.height;
        EXPECT_EQ(layout.verticalRange(), c.vRange) << c.gridRows << "x" << c.height;
    }
    TableLayout layout;
    layout.setCellSize(0, -3); // never a division by zero
    layout.setViewSize(100, 100);
    layout.setExtent(300, 300);
    layout.scrollTo(290, 500);
    EXPECT_EQ(layout.firstColumn(), 200);
    EXPECT_EQ(layout.firstRow(), 200);
    layout.setViewSize(1000, 1000); // a wider window pulls the position back into range
    EXPECT_EQ(layout.firstColumn(), 0);
}

TEST_F(TableTest, HitTestAndPictureFollowTheScrollPosition) {
    struct Case {
        int x, y;
        EditTarget target;
        int row, index;
    };
    for (const Case c : {Case{50, 25, EditTarget::Y, 0, 0}, Case{130, 65, EditTarget::Y, 2, 2},
                         Case{10, 45, EditTarget::Z, 1, 1}, Case{90, 5, EditTarget::X, 0, 1},
                         Case{10, 5, EditTarget::None, 0, 0}, Case{290, 25, EditTarget::None, 0, 0},
                         Case{50, 105, EditTarget::None, 0, 0}}) {
        const TableHit hit = table.hitTest(c.x, c.y);
        EXPECT_EQ(hit.target, c.target) << c.x << "," << c.y;
        if (c.target != EditTarget::None) {
            EXPECT_EQ(hit.row, c.row) << c.x << "," << c.y;
            EXPECT_EQ(hit.index, c.index) << c.x << "," << c.y;
        }
    }
    EXPECT_EQ(table.hitTest(130, 65).raw, 22);

    table.setViewSize(120, 40); // 3 columns, 2 rows fit
    table.scrollTo(2, 1);
    EXPECT_EQ(table.hitTest(50, 25).index, 2);
    EXPECT_EQ(table.hitTest(50, 25).row, 1);
    const TablePicture picture = table.picture();
    ASSERT_EQ(picture.grid.size(), 6u);
    EXPECT_EQ(picture.grid[0].text, "12");
    EXPECT_EQ(picture.grid[0].rect.x, kCellWidth);
    EXPECT_EQ(picture.header.size(), 5u); // 2 Z values and 3 X values
    EXPECT_TRUE(picture.emptyArea.empty());
    EXPECT_EQ(table.caption(), "TABLE -MAP1");
}

TEST_F(TableTest, SelectionByKeysAndMouse) {
    commands({cmd::ExtendRight, cmd::ExtendRight, cmd::ExtendRight});
    EXPECT_EQ(selected(), (std::vector<GridCell>{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
    table.command(cmd::Right);
    EXPECT_EQ(selected(), (std::vector<GridCell>{{0, 4}}));
    EXPECT_EQ(map->selection.anchor(), (GridCell{0, 4}));

    click(1, 1);
    click(2, 3, true);
    EXPECT_EQ(selected().size(), 6u);

    // Drag from (0, 0) to (2, 1), then a move without the button ends the mouse-down state.
    auto [x, y] = centre(0, 0);
    table.mousePress(x, y, false);
    EXPECT_TRUE(table.mouseDown());
    std::tie(x, y) = centre(2, 1);
    table.mouseMove(x, y, true);
    EXPECT_EQ(selected().size(), 6u);
    EXPECT_EQ(current(), std::pair(EditTarget::Y, 1));
    table.mouseMove(x, y, false);
    EXPECT_FALSE(table.mouseDown());

    // Left from column 0 goes onto the Z value and drops the selection; Right comes back.
    click(2, 0);
    table.command(cmd::Left);
    EXPECT_EQ(current(), std::pair(EditTarget::Z, 2));
    EXPECT_TRUE(map->selection.empty());
    commands({cmd::ExtendUp, cmd::Left}); // the header moves along its axis
    EXPECT_EQ(current(), std::pair(EditTarget::Z, 1));
    table.command(cmd::Right);
    EXPECT_EQ(current(), std::pair(EditTarget::Y, 0));
    EXPECT_EQ(map->editRow, 1);
    EXPECT_EQ(selected(), (std::vector<GridCell>{{1, 0}}));
    commands({cmd::Up, cmd::Up}); // the second Up is past the edge
    EXPECT_EQ(map->editRow, 0);
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

    std::vector<std::pair<EditTarget, int>> path;
    for (int code : {cmd::Down, cmd::Down, cmd::Up, cmd::Up, cmd::Up, cmd::Up}) {
        table.command(code);
        path.emplace_back(map->target, map->editRow);
    }
    EXPECT_EQ(path, (std::vector<std::pair<EditTarget, int>>{{EditTarget::X, 1},
                                                             {EditTarget::Y, 1},
                                                             {EditTarget::X, 1},
                                                             {EditTarget::Y, 0},
                                                             {EditTarget::X, 0},
                                                             {EditTarget::X, 0}}));
    EXPECT_FALSE(table.mouseDoubleClick(50, 45).handled); // no double-click edit here
    EXPECT_FALSE(table.editing());
}

TEST_F(TableTest, CommitMessagesGoToTheSink) {
    map->y.max = "100";
    click(0, 0);
    table.command(cmd::EditBox);
    EXPECT_EQ(table.editText(), "0");
    EXPECT_EQ(table.editRect().x, kCellWidth);
    table.setEditText("abc");
    EXPECT_FALSE(table.command(cmd::Enter).valuesChanged);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], "Table Window|Data error\nData is set as before editing|" +
                                 std::to_string(int(text::Icon::Error)));

    table.typeCharacter('-');
    table.setEditText("300");
    click(1, 1); // a click elsewhere commits the changed text first
    EXPECT_EQ(y(0, 0), 100);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].rfind("Table Window|Input Data Range Over:300.00", 0), 0u)
        << sink.shown[1];
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

    const std::vector<std::pair<const char*, int>> refused = {
        {"1.5\t2\r\n3", 1545}, {"1e3", 1546}, {"1\t2", 1547}};
    for (const auto& [text, message] : refused) {
        click(0, 0);
        click(1, 1, true);
        sink.shown.clear();
        table.paste(text);
        ASSERT_EQ(sink.shown.size(), 1u) << text;
        EXPECT_EQ(sink.shown[0], "|" + std::string(text::messageText(message)) + "|" +
                                     std::to_string(int(text::Icon::Exclamation)));
    }
    EXPECT_EQ(y(0, 0), 0);
    EXPECT_EQ(y(1, 1), 11);

    table.mousePress(10, 45, false); // an axis value takes one value by the axis rules
    table.paste("15");
    EXPECT_EQ(readZ(*map, image, 1).value, 15);
    table.paste("5\t6");
    EXPECT_EQ(sink.shown.back().find(text::messageText(1547)), 1u);
    table.command(cmd::EditBox);
    EXPECT_FALSE(table.paste("8").handled); // the open edit box takes the text
}

} // namespace
} // namespace qmx::maps
