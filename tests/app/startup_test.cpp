#include "app/accelerators.h"
#include "app/commandline.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <set>

namespace qmx::app {
namespace {

TEST(CommandLine, TwoWordsRunTheBatchOnePathOpens) {
    qmx::testing::TempFolder folder;
    const std::string spaced = folder.write("my a.rcz", "");
    using Args = std::vector<std::string>;
    struct Case {
        Args arguments;
        std::string first;
        std::string second;
        std::string open;
    };
    const Case cases[] = {
        {{"a.rcg", "b.txt"}, "a.rcg", "b.txt", ""},
        {{"a.rcg b c.txt"}, "a.rcg", "b c.txt", ""}, // split at the first space only
        {{"\"my a.rcg\""}, "\"my", "a.rcg\"", ""},   // no quoting
        {{"a.rcg"}, "", "", "a.rcg"},
        {{spaced}, "", "", spaced}, // an existing file is opened, spaces and all
        {{"a", "b", "c"}, "", "", ""},
    };
    for (const Case& c : cases) {
        const CommandWords words = splitCommandLine(c.arguments);
        EXPECT_EQ(words.first, c.first);
        EXPECT_EQ(words.second, c.second);
        EXPECT_EQ(words.open, c.open);
        EXPECT_EQ(words.runsBatch(), !c.first.empty() || !c.second.empty());
    }
}

TEST(Accelerators, EachKeyIsBoundOnce) {
    std::set<std::string_view> seen;
    for (const Accelerator& a : accelerators())
        EXPECT_TRUE(seen.insert(a.keys).second) << a.keys;
}

} // namespace
} // namespace qmx::app
