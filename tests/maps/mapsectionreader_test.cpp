#include "maps/mapsectionreader.h"

#include <gtest/gtest.h>

#include "maptestutil.h"
#include "support/linesof.h"
#include "text/messages.h"

namespace qmx::maps {
namespace {

using qmx::testing::linesOf;
namespace msg = text::msg;

// `header` followed by the lines of `text` (split at "\n").
config::CLineList sectionOf(const std::string& header, const std::string& text) {
    config::CLineList lines;
    lines.append(header);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.append(text.substr(start, end - start));
    lines.append(text.substr(start));
    return lines;
}

class MapSectionTest : public ::testing::Test {
protected:
    config::EcuImage image;
    MapSet maps{image};
};

// Both samples' maps, as read: the golden export and qmxctl info. Here what they do not hold.
TEST_F(MapSectionTest, FreeMapsTakeTheirFullCountsAndSkipCommentsBetweenTheirLines) {
    test::putBytes(image, 0x8100, {20, 20}); // 400 cells, never cut to 8 bits
    const auto lines = linesOf({
        "[free map]", // sections are found whatever their case
        "8100,8FFF,8000",
        "A1,1,0",
        "THROT,0,100,x,x",
        "; comments and blank lines between the lines of a block are skipped",
        "",
        "RPM,0,12750,x*50,x/50",
        "A1,0,25.5,x*0.1,x*10",
        "[Multi Map]",
    });
    ASSERT_EQ(readMapSections(lines, maps), text::msg::Success);
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps.at(0).y.count, 400);
    EXPECT_EQ(maps.at(0).y.address, 0x8100 + 2 + 20 + 400);
}

TEST_F(MapSectionTest, FreeMapFailures) {
    test::putBytes(image, 0x8100, {1, 1});
    test::putBytes(image, 0xFFF0, {8, 8}); // 64 cells would run past 0xFFFF
    const std::string block = "M1,0,0\nZ,0,1,x,x\nX,0,1,x,x\nY,0,1,x,x";
    struct Case {
        std::string section;
        int result;
        std::size_t maps;
    };
    const Case cases[] = {
        {"8100,8200", text::msg::MapAddressWrong, 0},
        {"8100,8200,8000,1", text::msg::MapAddressWrong, 0},
        {"8100,10000,8000", text::msg::MapAddressWrong, 0},
        {"8100,8200,8000\nM1,2,0\nZ,0,1,x,x\nX,0,1,x,x\nY,0,1,x,x", text::msg::FreeMapFormatError,
         0},
        {"FFF0,FFFF,8000\n" + block, text::msg::FreeMapFormatError, 0},
        {"8100,8200,8000\n" + block + "\nM2,0,0\nZ,,1,x,x\nX,0,1,x,x\nY,0,1,x,x", 0, 1},
    };
    for (const Case& c : cases) {
        maps.clear();
        EXPECT_EQ(readFreeMapSection(sectionOf("[Free Map]", c.section), maps), c.result)
            << c.section;
        EXPECT_EQ(maps.size(), c.maps) << c.section;
    }
}

TEST_F(MapSectionTest, ConfigMapsKeepTheRunningAddressAndFreeMapsComeFirst) {
    // (No map section at all, and a free-map line short of a field: the application's reader
    // test.) With both sections only Free Map is read, however empty.
    EXPECT_EQ(readMapSections(linesOf({"[Free Map]", "[Config Map]"}), maps),
              text::msg::MapAddressWrong);

    const auto config = linesOf({
        "[Config Map]",
        "9000,90FF,9000",
        "LAMBDA,0,0",
        "LOAD,0,3,x,x",
        "MODE,0,3,x,x",
        "LAMBDA,0.5,1.775,x*0.005+0.5,(x-0.5)*200",
        "3,Low,Mid,High",
        "2,Idle,WOT",
        "y,nothex,x", // a Y line that gives nothing keeps the running address
        "TAIL,0,0",
    });
    ASSERT_EQ(readMapSections(config, maps), text::msg::Success);
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps.at(0).y.address, 0x9000);
}

TEST_F(MapSectionTest, UnreadableConfigBlocks) {
    const char* const placements[] = {
        "z,9000,2,4,0\n3,a,b,c",        // forms mixed
        "3,a,b\nx,9000,1,2,0",          // forms mixed the other way
        "z,9000,1,256,0\nx,9100,1,1,0", // count above 255
        "z,FFFE,2,2,0\nx,9100,1,1,0",   // axis past 0xFFFF
        "2,a,b\n3,c,d",                 // label count differs from the count
        "z,9000,1,2,step\nx,9100,1,1,0",
        "2,a,b\n1,c\ny,FFFF,1", // data past 0xFFFF
    };
    for (const char* placement : placements) {
        const std::string block =
            std::string("9000,90FF,9000\nM,0,0\nZ,0,1,x,x\nX,0,1,x,x\nY,0,1,x,x\n") + placement;
        maps.clear();
        EXPECT_EQ(readConfigMapSection(sectionOf("[Config Map]", block), maps),
                  text::msg::ConfigMapFormatError)
            << placement;
    }
}

} // namespace
} // namespace qmx::maps
