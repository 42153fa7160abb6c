#include "app/titlelist.h"

#include "support/linesof.h"

#include <gtest/gtest.h>

namespace qmx::app {
namespace {

using qmx::testing::linesOf;

config::CLineList sample() {
    return linesOf({"; head", "[Title]", "Engine", "QX400", "", "; note", "Owner", "Workshop",
                    "Spare", "[Data]", "S9030000FC"});
}

TEST(TitleList, ReadsContentLinesAsPairs) {
    const TitleList list = TitleList::read(sample());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.pairs()[1].title, "Owner");
    EXPECT_EQ(list.pairs()[1].data, "Workshop");
    EXPECT_EQ(list.pairs()[2].title, "Spare");
    EXPECT_EQ(list.pairs()[2].data, "");
    EXPECT_EQ(TitleList::read(linesOf({"[Data]"})).size(), 0u);
}

TEST(TitleList, WritesEditsInPlaceAndKeepsOtherLines) {
    config::CLineList lines = sample();
    TitleList list = TitleList::read(lines);
    EXPECT_TRUE(list.replace(1, {"Owner", "Garage \xE9"}));
    EXPECT_TRUE(list.remove(0));
    EXPECT_FALSE(list.remove(5));
    list.writeBack(lines);
    const std::vector<std::string> expected{
        "; head", "[Title]", "", "; note", "Owner", "Garage \xE9", "Spare", "[Data]", "S9030000FC"};
    EXPECT_EQ(lines.lines(), expected);
}

TEST(TitleList, DeletingEveryPairLeavesTheSectionHeader) {
    config::CLineList lines = linesOf({"[Title]", "A", "1", "[Data]"});
    TitleList list = TitleList::read(lines);
    EXPECT_TRUE(list.remove(0));
    EXPECT_EQ(list.size(), 0u);
    list.writeBack(lines);
    EXPECT_EQ(lines.lines(), (std::vector<std::string>{"[Title]", "[Data]"}));
}

TEST(TitleList, DataGivenToALoneTitleGoesAfterIt) {
    config::CLineList lines = sample();
    TitleList list = TitleList::read(lines);
    EXPECT_TRUE(list.remove(0));
    EXPECT_TRUE(list.replace(1, {"Spare", "kept"}));
    list.writeBack(lines);
    EXPECT_EQ(lines.lines(),
              (std::vector<std::string>{"; head", "[Title]", "", "; note", "Owner", "Workshop",
                                        "Spare", "kept", "[Data]", "S9030000FC"}));
}

} // namespace
} // namespace qmx::app
