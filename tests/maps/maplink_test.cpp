#include "maps/maplink.h"

#include <gtest/gtest.h>

#include "config/linelist.h"
#include "maps/linkrules.h"
#include "maps/mapset.h"
#include "maptestutil.h"
#include "support/linesof.h"

namespace qmx::maps {
namespace {

using qmx::testing::linesOf;
using test::freeMap;

// Maps INJ1..INJ4 of 8 × 8 cells, FUEL of 8 × 8 and SMALL1 of 4 × 4, one after another.
class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::uint16_t at = 0x8000;
        for (const char* name : {"INJ1", "INJ2", "INJ3", "INJ4", "FUEL", "SMALL1"}) {
            const int size = std::string(name) == "SMALL1" ? 4 : 8;
            const Map& map = maps.add(freeMap(image, at, size, size, MapKind::Shared, name));
            at = static_cast<std::uint16_t>(map.y.address + map.y.count);
        }
    }
    Map& map(const char* name) { return *maps.find(name); }
    std::uint8_t y(const char* name, int row, int column) {
        return readY(map(name), image, column, row).value;
    }

    config::EcuImage image;
    MapSet maps{image};
};

// (An edit copied into every linked map, and into its pair only: qmxctl set and the Multi Map
// widget test.)
TEST_F(LinkTest, OnlyYValuesOfLinkedMapsAreCopiedAndPairsWorkBothWays) {
    maps.link().set(LinkMode::All, {"INJ1", "INJ2"});
    maps.writeY(map("FUEL"), 55, 1, 1); // not linked: copied nowhere
    for (const char* name : {"INJ1", "INJ2", "INJ3", "INJ4"})
        EXPECT_EQ(y(name, 1, 1), 0) << name;
    maps.writeX(map("INJ1"), 99, 3); // axis values are never copied
    EXPECT_EQ(readX(map("INJ2"), image, 3).value, 0);

    maps.link().set(LinkMode::Pairs, {"INJ1", "INJ2", "INJ3", "INJ4"});
    maps.writeY(map("INJ4"), 44, 1, 0);
    EXPECT_EQ(y("INJ1", 0, 1), 44);
    EXPECT_EQ(y("INJ2", 0, 1) + y("INJ3", 0, 1), 0);
}

TEST_F(LinkTest, CopiesStayInsideTheTargetsCells) {
    maps.link().set(LinkMode::All, {"INJ1", "SMALL1"}); // bypasses the dialog's count check
    const Map& small = map("SMALL1");
    const std::uint32_t end = small.y.address + small.y.count;
    const std::uint8_t after = image.byte(static_cast<std::uint16_t>(end + 20));
    maps.writeY(map("INJ1"), 200, 4, 4); // offset 36 is past the 16 cells of SMALL1
    EXPECT_EQ(image.byte(static_cast<std::uint16_t>(end + 20)), after);
    maps.writeY(map("INJ1"), 201, 1, 1); // offset 9 is inside
    EXPECT_EQ(y("SMALL1", 2, 1), 201);
}

// (The labels and titles of linked maps, the dialog's lists and what it applies: the Multi Map
// widget test.)
TEST_F(LinkTest, PresetLinksOnlyDistinctMapsOfEqualSize) {
    const struct {
        std::vector<std::string> lines;
        LinkMode mode;
        std::vector<std::string> names;
    } cases[] = {
        {{"[multi map]", "INJ3,1", "INJ1,1", "INJ2,2"}, LinkMode::All, {"INJ1", "INJ2"}},
        {{"[Multi Map]", "INJ1,1", "INJ2,2", "INJ9,3", "INJ4,4"}, LinkMode::All, {"INJ1", "INJ2"}},
        {{"[Multi Map]", "INJ1,1", "INJ2,2", "INJ2,3", "INJ4,4"}, LinkMode::All, {"INJ1", "INJ2"}},
        {{"[Multi Map]", "INJ1,1", "INJ2,2", "SMALL1,3", "INJ4,4"},
         LinkMode::All,
         {"INJ1", "INJ2"}},
        {{"[Multi Map]", "INJ1,1", "SMALL1,2"}, LinkMode::None, {}},
        {{"[Multi Map]", "INJ1,1", "INJ1,2"}, LinkMode::None, {}},
        {{"[Multi Map]", "FUEL,1", "INJ2,2"}, LinkMode::None, {}},
        {{"[Multi Map]", "INJ1,1", "[Other]", "INJ2,2"}, LinkMode::None, {}},
        {{"[Title]", "INJ1,1", "INJ2,2"}, LinkMode::None, {}},
    };
    for (const auto& c : cases) {
        maps.link().clear();
        const config::CLineList lines = linesOf(c.lines);
        readMultiMapSection(lines, maps);
        EXPECT_EQ(maps.link().mode(), c.mode) << lines.textAt(1);
        EXPECT_EQ(maps.link().names(), c.names) << lines.textAt(1);
    }
}

// (Names piled up, and two maps of different counts: the Multi Map widget test.)
TEST_F(LinkTest, DialogValidation) {
    const struct {
        LinkChoice choice;
        int message;
    } cases[] = {
        {{{"INJ1", "INJ2", "", ""}, LinkMode::All}, 0},
        {{{"", "INJ2", "", ""}, LinkMode::All}, 1539},
        {{{"INJ1", "INJ2", "INJ3", ""}, LinkMode::All}, 1540},
        {{{"", "", "", ""}, LinkMode::None}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(validateLinkChoice(maps, c.choice), c.message) << c.choice.names[1];
}

TEST_F(LinkTest, LeavingTheDocumentDropsTheLinkAndReadsThePresetAgain) {
    const config::CLineList preset = linesOf({"[Multi Map]", "INJ1,1", "INJ2,2"});
    EXPECT_EQ(dropLinkForNoDocument(maps, preset), 0);
    EXPECT_EQ(maps.link().names(), (std::vector<std::string>{"INJ1", "INJ2"}));
    maps.link().set(LinkMode::Pairs, {"INJ1", "INJ2", "INJ3", "INJ4"});
    EXPECT_EQ(dropLinkForNoDocument(maps, preset), 3008);
    EXPECT_EQ(maps.link().mode(), LinkMode::All);
    EXPECT_EQ(dropLinkForNoDocument(maps, config::CLineList{}), 3008);
    EXPECT_FALSE(maps.link().active());
}

} // namespace
} // namespace qmx::maps
