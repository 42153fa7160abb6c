#include "maps/mapcontroller.h"

#include <gtest/gtest.h>

#include "maps/editstate.h"
#include "maps/undohistory.h"
#include "maptestutil.h"

// The map window's input: selecting, dragging and its commit rule, and the keys.
namespace qmx::maps {
namespace {

using test::freeMap;
using test::putBytes;

// A free 3 × 4 map: X at raw 0, 60, 120, 180; Y values row × 40 + column × 10 + 20, shown as
// raw × 0.5 with display limits 0..127.5, input limits 1.2..100.5 (raw limits 2..201) and a step
// of 3; in a window of 600 × 400.
class MapControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        maps.setSource(MapSource::Free);
        maps.setEditObserver(&history);
        map = &maps.add(freeMap(image, 0x8000, 3, 4));
        map->y.physicalExpr = "x*0.5";
        map->y.rawExpr = "x*2";
        map->y.max = "127.5";
        map->y.inputMin = "1.2";
        map->y.inputMax = "100.5";
        map->y.step = 3.0f;
        putBytes(image, map->x.address, {0, 60, 120, 180});
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 4; ++column)
                setY(row, column, row * 40 + column * 10 + 20);
        maps.setCurrent(0);
        selectFirstCell(*map, image);
        window = std::make_unique<MapController>(maps, sink, DisplayFormats{0, 1, 0});
        window->resize(600, 400);
    }
    const MapScales& scales() const { return window->geometry().scales(); }
    int y(int row, int column) const { return readY(*map, image, column, row).value; }
    void setY(int row, int column, int value) {
        image.setByte(static_cast<std::uint16_t>(yAddress(*map, row, column)),
                      static_cast<std::uint8_t>(value));
    }
    PixelPoint point(int row, int column) const {
        return linePoints(*map, image, scales(), row)[static_cast<std::size_t>(column)];
    }
    MapEffect press(PixelPoint at) { return window->pressLeft(at.x, at.y); }
    // Moves the dragged point to the lowest plot y whose value is `raw`.
    MapEffect dragTo(int raw) {
        int at = scales().plotHeight - 1;
        while (at > 0 && scales().rawAtY(at) < raw)
            --at;
        return window->moveTo(point(0, 0).x, at);
    }
    // Selects point (row, column) and begins dragging it.
    void beginDrag(int row, int column) {
        press(point(row, column));
        press(point(row, column));
        ASSERT_TRUE(window->dragging());
    }

    config::EcuImage image;
    MapSet maps{image};
    UndoHistory history{maps, 1024};
    test::RecordingSink sink;
    Map* map = nullptr;
    std::unique_ptr<MapController> window;
};

TEST_F(MapControllerTest, DropRuleSnapsBoundsAndStepsBackIntoTheInputRange) {
    // 61.5 snaps to 63; 100.5 would snap to 102, above 100.5: the highest raw (201) stands;
    // 1.0 snaps to 0, below 1.2: the lowest raw 2 (1.0) is still below, so one up.
    EXPECT_EQ(droppedPointRaw(*map, 123), 126);
    EXPECT_EQ(droppedPointRaw(*map, 201), 201);
    EXPECT_EQ(droppedPointRaw(*map, 2), 3);
    map->y.step = 0.0f;
    EXPECT_EQ(droppedPointRaw(*map, 123), 123);
}

// (The second press, the drag's record, undo and value texts: the widget test; the snapped
// drop: the drop rule above.)
TEST_F(MapControllerTest, PressSelectsAPointOfAnyShownLine) {
    map->selection.add({0, 0});
    map->selection.add({0, 1});
    map->allLines = true; // other lines show and can be pressed
    EXPECT_TRUE(press(point(1, 2)).selectionMoved);
    EXPECT_FALSE(window->dragging());
    EXPECT_EQ((std::tuple{map->target, map->editRow, map->editIndex}),
              (std::tuple{EditTarget::Y, 1, 2}));
    EXPECT_TRUE(map->selection.empty()); // the table's block selection ended
}

TEST_F(MapControllerTest, DragBackToItsStartWritesNothing) {
    beginDrag(0, 1); // raw 30 (15.0)
    dragTo(100);
    dragTo(29); // 14.5 snaps back to 15.0
    window->releaseLeft();
    EXPECT_EQ(y(0, 1), 30);
    EXPECT_TRUE(map->undo.empty());
}

TEST_F(MapControllerTest, DragStopsAtTheLimitsAndIgnoresOutsideThePlot) {
    beginDrag(0, 2);
    window->moveTo(point(0, 2).x, scales().plotHeight - 1);
    EXPECT_EQ(window->editedValue(), 2); // the lowest raw limit
    window->moveTo(point(0, 2).x, 0);
    EXPECT_EQ(window->editedValue(), 201);
    EXPECT_FALSE(window->moveTo(point(0, 2).x, -5).valueShown);
    EXPECT_FALSE(window->moveTo(point(0, 2).x, 0).valueShown); // the same place again
}

TEST_F(MapControllerTest, ReleaseOnACellThatIsNoLongerCurrentIsADataError) {
    beginDrag(0, 0);
    dragTo(100);
    EXPECT_FALSE(window->command(tablecmd::Right).selectionMoved); // keys wait for the drag
    selectCell(*map, image, EditTarget::Y, 2, 0);                  // the map bar chose a line
    EXPECT_FALSE(window->releaseLeft().valuesChanged);
    EXPECT_EQ(sink.shown,
              (std::vector<std::string>{"Map Window|Data error\nData is set as before editing|3"}));
    EXPECT_EQ(y(0, 0), 20);
    EXPECT_EQ(y(2, 0), 100);
    EXPECT_TRUE(map->undo.empty());
}

TEST_F(MapControllerTest, KeysMoveThePointAndStepItWithinTheLimits) {
    using namespace tablecmd;
    EXPECT_FALSE(window->command(Left).selectionMoved); // not before the first point
    window->command(Right);
    EXPECT_TRUE(window->command(ExtendDown).selectionMoved);
    EXPECT_EQ(map->selection.anchor(), (GridCell{0, 1})); // line moves keep the anchor
    window->command(Down);
    EXPECT_FALSE(window->command(Down).selectionMoved); // not after the last line

    map->y.step = 0.0f;
    setY(2, 1, 196);
    selectCell(*map, image, EditTarget::Y, 2, 1);
    EXPECT_TRUE(window->command(RaiseTen).valuesChanged);
    EXPECT_EQ(y(2, 1), 201); // five, up to the highest
    EXPECT_FALSE(window->command(Raise).valuesChanged);
    window->command(LowerTen);
    ASSERT_EQ(map->undo.size(), 1u); // steps on one cell merge
}

// (Selecting a column and raising it with the arrows: the widget test.)
TEST_F(MapControllerTest, ColumnStepsAndDragsStayWithinItsNeighbours) {
    press({point(0, 0).x, 2}); // a breakpoint, far from its points
    EXPECT_TRUE(window->takesPlainArrows());
    EXPECT_FALSE(window->command(mapcmd::ArrowLeft).valuesChanged); // 0 is the lowest
    EXPECT_FALSE(window->command(mapcmd::ArrowDown).selectionMoved);

    // Dragged past the next breakpoint (60): stops on it.
    press({point(0, 0).x, 2});
    ASSERT_TRUE(window->dragging());
    window->moveTo(scales().xOfRaw(100), 2);
    EXPECT_EQ(window->editedValue(), 60);
    window->releaseLeft();
    EXPECT_EQ(readX(*map, image, 0).value, 60);
    EXPECT_EQ(map->undo.newest().kind, 21);

    // Per-row X values with every line showing have no columns.
    map->allLines = true;
    map->kind = MapKind::PerRowX;
    EXPECT_FALSE(window->takesPlainArrows());
    EXPECT_FALSE(window->command(mapcmd::ArrowRight).valuesChanged);
}

} // namespace
} // namespace qmx::maps
