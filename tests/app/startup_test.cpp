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
    const std::pair<Args, CommandWords> cases[] = {
        {{"a.rcg", "b.txt"}, {"a.rcg", "b.txt", ""}},
        {{"a.rcg b c.txt"}, {"a.rcg", "b c.txt", ""}}, // split at the first space only
        {{"\"my a.rcg\""}, {"\"my", "a.rcg\"", ""}},   // no quoting
        {{"a.rcg"}, {"", "", "a.rcg"}},
        {{spaced}, {"", "", spaced}}, // an existing file is opened, spaces and all
        {{"a", "b", "c"}, {"", "", ""}},
    };
    for (const auto& [arguments, expected] : cases) {
        const CommandWords words = splitCommandLine(arguments);
        EXPECT_EQ(std::tie(words.first, words.second, words.open),
                  std::tie(expected.first, expected.second, expected.open));
    }
    EXPECT_TRUE(splitCommandLine({"a.rcg", "b.txt"}).runsBatch());
    EXPECT_FALSE(splitCommandLine({"a.rcg"}).runsBatch());
}

TEST(Accelerators, EachKeyIsBoundOnce) {
    std::set<std::string_view> seen;
    for (const Accelerator& a : accelerators())
        EXPECT_TRUE(seen.insert(a.keys).second) << a.keys;
}

} // namespace
} // namespace qmx::app
