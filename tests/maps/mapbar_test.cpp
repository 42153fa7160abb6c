#include "maps/mapbarcontent.h"
#include "maps/mapbarlayout.h"

#include "maps/maptestutil.h"
#include "support/linesof.h"

#include <gtest/gtest.h>

namespace qmx::maps {
namespace {

using test::freeMap;
using test::putBytes;

TEST(MapBarLayout, ATinyBarGivesNoNegativeSizes) {
    MapBarSizes sizes;
    sizes.barWidth = 4;
    sizes.barHeight = 10;
    sizes.buttonWidth = 24;
    sizes.buttonHeight = 22;
    sizes.tabRowHeight = 20;
    const MapBarLayout layout = layOutMapBar(sizes);
    for (const BarRect& r : {layout.tabs, layout.mapList, layout.constList}) {
        EXPECT_GE(r.width, 0);
        EXPECT_GE(r.height, 0);
    }
}

TEST(MapBarContent, LineEntriesShowTheZValues) {
    config::EcuImage image;
    Map map = freeMap(image, 0x100, 3, 2);
    putBytes(image, map.z.address, {10, 20, 35});
    const DisplayFormats formats{.x = 1, .y = 1, .z = 0};
    EXPECT_EQ(lineEntries(map, image, formats), (std::vector<std::string>{"10", "20", "35"}));

    Map labelled;
    labelled.kind = MapKind::Labelled;
    labelled.z.count = 2;
    labelled.z.labels = "low, high";
    EXPECT_EQ(lineEntries(labelled, image, formats), (std::vector<std::string>{"low", "high"}));

    const Map single = freeMap(image, 0x200, 1, 4);
    EXPECT_TRUE(lineEntries(single, image, formats).empty());
    EXPECT_EQ(allBoxState(single, true), CheckState::Indeterminate);
    EXPECT_EQ(allBoxState(map, true), CheckState::Checked);
    EXPECT_EQ(allBoxState(map, false), CheckState::Unchecked);
}

TEST(MapBarContent, ValueTextsFollowTheCurrentCell) {
    config::EcuImage image;
    Map map = freeMap(image, 0x100, 2, 3);
    putBytes(image, map.x.address, {10, 20, 30});
    putBytes(image, map.y.address, {1, 2, 3, 4, 5, 6});
    const DisplayFormats formats{.x = 0, .y = 1, .z = 0};
    map.target = EditTarget::Y;
    map.editRow = 1;
    map.editIndex = 2;
    ValueTexts texts = currentValueTexts(map, image, formats);
    EXPECT_EQ(texts.x, "30");
    EXPECT_EQ(texts.data, "6.0");
    map.target = EditTarget::X;
    map.editIndex = 0;
    texts = currentValueTexts(map, image, formats);
    EXPECT_EQ(texts.x, "10");
    EXPECT_EQ(texts.data, "");
    map.target = EditTarget::Z;
    EXPECT_EQ(currentValueTexts(map, image, formats).x, "");
}

TEST(MapBarContent, ConstantRowsListTheEntriesThatTakePart) {
    config::EcuImage image;
    image.setByte(0x8010, 0x50);
    image.setWord(0x8012, 1000);
    const auto lines = qmx::testing::linesOf({
        "[Calib]",
        "8010,1,Idle speed,10,0,rpm,1",
        "; comment",
        "8012,2,Injector flow,0.125,0,cc,1",
        "8014,3,Bad size,1,0,x,1",
        "[Data]",
        "8016,1,Outside,1,0,x,1",
    });
    const auto rows = constantRows(lines, image);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].contents, "Idle speed");
    EXPECT_EQ(rows[0].value, "800");
    EXPECT_EQ(rows[1].contents, "Injector flow");
    EXPECT_EQ(rows[1].value, "125");
    EXPECT_TRUE(constantRows(qmx::testing::linesOf({"[Data]"}), image).empty());
}

} // namespace
} // namespace qmx::maps
