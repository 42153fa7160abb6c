#include "maps/hexcontroller.h"

#include <gtest/gtest.h>

#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "maps/undohistory.h"
#include "maptestutil.h"
#include "text/messages.h"

namespace qmx::maps {
namespace {

using test::freeMap;
using test::putBytes;

constexpr int kCellWidth = 40; // byte columns of 20 pixels
constexpr int kRowHeight = 10;

// A configuration map of kind `kind` with 2 lines and 3 points: Z words at 0x9000, X words at
// 0x9004 and the Y bytes at 0x9020.
Map configMap(MapKind kind) {
    Map map;
    map.kind = kind;
    map.name = "BOOST";
    map.z = test::identityAxis("MAP");
    map.x = test::identityAxis("RPM");
    map.y = test::identityAxis("BOOST");
    map.z.count = 2;
    map.z.address = 0x9000;
    map.z.elementSize = 2;
    map.x.count = 3;
    map.x.address = 0x9004;
    map.x.elementSize = 2;
    map.y.address = 0x9020;
    return map;
}

TEST(HexMapRangeTest, MarkedAndSelectableBytesOfEachLayout) {
    config::EcuImage image;
    struct Case {
        Map map;
        std::uint32_t first, firstSelectable, last;
    };
    // Free maps: 2 count bytes, Z, X (one row, or one per line), Y.
    const Case cases[] = {
        {freeMap(image, 0x8100, 3, 4, MapKind::Shared), 0x8100, 0x8102, 0x8100 + 2 + 3 + 4 + 11},
        {freeMap(image, 0x8100, 3, 4, MapKind::PerRowX), 0x8100, 0x8102, 0x8100 + 2 + 3 + 12 + 11},
        {configMap(MapKind::Addressed), 0x9020, 0x9020, 0x9025},
        {configMap(MapKind::Labelled), 0x9020, 0x9020, 0x9025},
    };
    for (const Case& c : cases) {
        Map map = c.map;
        map.y.count = map.rows() * map.columns();
        const HexMapRange range = hexMapRange(map);
        EXPECT_EQ(range.first, c.first) << int(map.kind);
        EXPECT_EQ(range.firstSelectable, c.firstSelectable) << int(map.kind);
        EXPECT_EQ(range.last, c.last) << int(map.kind);
        EXPECT_TRUE(range.marks(c.first));
        EXPECT_FALSE(range.marks(c.last + 1));
    }

    // Each byte of a per-line-X free map names its value, and back.
    Map perRow = freeMap(image, 0x8100, 3, 4, MapKind::PerRowX);
    const std::pair<std::uint32_t, EditPosition> named[] = {
        {0x8102, {EditTarget::Z, 0, 0}},      {0x8104, {EditTarget::Z, 2, 2}},
        {0x8105, {EditTarget::X, 0, 0}},      {0x8105 + 9, {EditTarget::X, 2, 1}},
        {0x8105 + 12, {EditTarget::Y, 0, 0}}, {0x8105 + 12 + 11, {EditTarget::Y, 2, 3}},
    };
    for (const auto& [address, position] : named) {
        const std::optional<EditPosition> at = positionAtAddress(perRow, address);
        ASSERT_TRUE(at) << std::hex << address;
        EXPECT_EQ(std::tuple(at->target, at->row, at->index),
                  std::tuple(position.target, position.row, position.index));
        EXPECT_EQ(addressOfPosition(perRow, position), address);
    }
    EXPECT_FALSE(positionAtAddress(perRow, 0x8100));
    EXPECT_FALSE(positionAtAddress(perRow, 0x8101));
    // A configuration map's axes are not bytes of the hex view.
    Map config = configMap(MapKind::Addressed);
    config.y.count = 6;
    EXPECT_FALSE(positionAtAddress(config, 0x9000));
    EXPECT_FALSE(addressOfPosition(config, {EditTarget::Z, 1, 1}));
}

// A free 2 × 3 map at 0x8100 (Z 10, 20; X 1, 2, 3; Y 0x40..0x45) in a data area from 0x8100 to
// 0x81FF, with a 1024-unit undo history.
class HexFreeMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        image.setRange(0x8100, 0x81FF);
        maps.setSource(MapSource::Free);
        maps.setEditObserver(&history);
        map = &maps.add(freeMap(image, 0x8100, 2, 3));
        putBytes(image, 0x8102, {10, 20, 1, 2, 3, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45});
        maps.setCurrent(0);
        hex.setGridSize(400, 300, 15);
        hex.mapChanged();
    }
    // A click in the middle of the byte at `address`.
    HexEffect click(std::uint32_t address) {
        const PixelRect r = *hex.layout().byteRect(address);
        return hex.click(r.x + r.width / 2, r.y + r.height / 2);
    }
    HexEffect type(const std::string& text, int code = tablecmd::Enter) {
        hex.setEditText(text);
        return hex.command(code);
    }

    config::EcuImage image;
    MapSet maps{image};
    UndoHistory history{maps, 1024};
    test::RecordingSink sink;
    HexController hex{maps, sink, kCellWidth, kRowHeight};
    Map* map = nullptr;
};

TEST_F(HexFreeMapTest, ClicksAndMovesStayOnTheSelectableBytes) {
    EXPECT_EQ(hex.selectedAddress(), 0x8107u); // the first Y cell
    EXPECT_EQ(hex.editText(), "40");

    // Moves: not onto the count bytes, not past the last Y byte (clicks on the count and Z
    // bytes: the widget test).
    click(0x8102);
    EXPECT_FALSE(hex.command(tablecmd::Left).selectionMoved);
    EXPECT_FALSE(hex.command(tablecmd::Up).selectionMoved);
    EXPECT_TRUE(hex.command(tablecmd::Right).selectionMoved);
    EXPECT_EQ(hex.selectedAddress(), 0x8103u);
    EXPECT_FALSE(hex.command(tablecmd::Down).selectionMoved); // 0x8113 is past the map
    click(0x810C);
    EXPECT_TRUE(hex.command(tablecmd::Left).selectionMoved);
    EXPECT_EQ(std::tuple(map->target, map->editRow, map->editIndex),
              std::tuple(EditTarget::Y, 1, 1));
    EXPECT_EQ(map->selection.size(), 1u);         // the table window's selection follows
    EXPECT_FALSE(hex.command(11).selectionMoved); // Page Up: ignored
}

TEST_F(HexFreeMapTest, CommitRules) {
    // Not hexadecimal: the data error, nothing written, the editor shows the byte again.
    EXPECT_FALSE(type("1G").valuesChanged);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0],
              "Table Window|" + rejectionText() + "|" + std::to_string(int(text::Icon::Error)));
    EXPECT_EQ(image.byte(0x8107), 0x40);
    EXPECT_EQ(hex.editText(), "40");
    EXPECT_FALSE(type("").valuesChanged);
    EXPECT_TRUE(map->undo.empty());

    // Above the maximum: the maximum is stored. Lower case reads too. One undo record each.
    map->y.max = "200";
    EXPECT_TRUE(type("fff").valuesChanged);
    EXPECT_EQ(image.byte(0x8107), 200);
    EXPECT_EQ(hex.editText(), "C8");
    ASSERT_EQ(map->undo.size(), 1u);
    EXPECT_EQ(map->undo.newest().kind, 12);
    EXPECT_EQ(map->undo.newest().values, std::vector<std::uint16_t>{0x40});
    EXPECT_FALSE(type("c8").valuesChanged); // the value as it is
    EXPECT_EQ(map->undo.size(), 1u);

    // A Z value stays between its neighbours and asks for the line list.
    click(0x8102);
    const HexEffect z = type("FF");
    EXPECT_TRUE(z.valuesChanged && z.lineValueChanged);
    EXPECT_EQ(image.byte(0x8102), 20);
    EXPECT_EQ(map->undo.newest().kind, 10);

    // A pending edit is committed before a click selects another byte.
    click(0x8108);
    hex.setEditText("7");
    EXPECT_TRUE(click(0x8109).valuesChanged);
    EXPECT_EQ(image.byte(0x8108), 7);
    EXPECT_FALSE(type("99", tablecmd::ShiftEnter).sendToEcu); // a free map stays in the program
}

TEST(HexConfigMapTest, AZValueIsNoByteToSendToTheEcu) {
    config::EcuImage image;
    image.setRange(0x9000, 0x90FF);
    MapSet maps{image};
    Map& map = maps.add(configMap(MapKind::Addressed));
    maps.setCurrent(0);
    test::RecordingSink sink;
    HexController hex{maps, sink, kCellWidth, kRowHeight};
    hex.setGridSize(400, 300, 15);
    hex.refresh();

    // (A byte typed and sent: the widget test against ecusim.) A Z value chosen elsewhere is
    // no byte of the hex view: no editor, nothing to send.
    ASSERT_EQ(selectCell(map, image, EditTarget::Z, 1, 1), Access::Ok);
    hex.refresh();
    EXPECT_FALSE(hex.editorRect());
    hex.setEditText("00");
    EXPECT_FALSE(hex.command(tablecmd::ShiftEnter).sendToEcu);
}

} // namespace
} // namespace qmx::maps
