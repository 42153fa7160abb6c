#include "app/titlelist.h"

#include "support/linesof.h"

#include <gtest/gtest.h>

namespace qmx::app {
namespace {

using qmx::testing::linesOf;
using Lines = std::vector<std::string>;

// Blank and comment lines stay where they were; a lone last title reads as a pair with no data.
TEST(TitleList, EditsAreWrittenInPlaceAndOtherLinesStay) {
    const config::CLineList sample =
        linesOf({"; head", "[Title]", "Engine", "QX400", "", "; note", "Owner", "Workshop", "Spare",
                 "[Data]", "S9030000FC"});
    config::CLineList lines = sample;
    TitleList list = TitleList::read(lines);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.pairs()[2].title + "|" + list.pairs()[2].data, "Spare|");
    EXPECT_TRUE(list.replace(1, {"Owner", "Garage \xE9"}));
    EXPECT_TRUE(list.remove(0));
    EXPECT_FALSE(list.remove(5));
    list.writeBack(lines);
    EXPECT_EQ(lines.lines(), (Lines{"; head", "[Title]", "", "; note", "Owner", "Garage \xE9",
                                    "Spare", "[Data]", "S9030000FC"}));

    EXPECT_EQ(TitleList::read(linesOf({"[Data]"})).size(), 0u);
}

} // namespace
} // namespace qmx::app
