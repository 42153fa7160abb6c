#include "maps/mapbarcontent.h"
#include "maps/mapbarlayout.h"

#include "maps/maptestutil.h"
#include "support/linesof.h"

#include <gtest/gtest.h>

namespace qmx::maps {
namespace {

using test::freeMap;

// The Z values of a free map, the value texts and the constant list's rows are shown by the
// widget tests; here the labels of a labelled map, the single-line map and the lines that do
// not take part.
TEST(MapBarContent, LabelsSingleLinesAndConstantsThatTakePart) {
    config::EcuImage image;
    const DisplayFormats formats{.x = 1, .y = 1, .z = 0};
    Map labelled;
    labelled.kind = MapKind::Labelled;
    labelled.z.count = 2;
    labelled.z.labels = "low, high";
    EXPECT_EQ(lineEntries(labelled, image, formats), (std::vector<std::string>{"low", "high"}));
    const Map single = freeMap(image, 0x200, 1, 4);
    EXPECT_TRUE(lineEntries(single, image, formats).empty());
    EXPECT_EQ(allBoxState(single, true), CheckState::Indeterminate);

    image.setWord(0x8012, 1000);
    const auto rows = constantRows(
        qmx::testing::linesOf({"[Calib]", "; comment", "8012,2,Injector flow,0.125,0,cc,1",
                               "8014,3,Bad size,1,0,x,1", "[Data]", "8016,1,Outside,1,0,x,1"}),
        image);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].contents + "=" + rows[0].value, "Injector flow=125");
}

} // namespace
} // namespace qmx::maps
