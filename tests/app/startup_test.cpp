#include "app/accelerators.h"
#include "app/commandline.h"
#include "app/versiontext.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>

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
        {{"a.rcg b.txt"}, "a.rcg", "b.txt", ""},
        {{"a.rcg b c.txt"}, "a.rcg", "b c.txt", ""}, // split at the first space only
        {{"\"my a.rcg\""}, "\"my", "a.rcg\"", ""},   // no quoting
        {{"a.rcg"}, "", "", "a.rcg"},
        {{spaced}, "", "", spaced}, // an existing file is opened, spaces and all
        {{}, "", "", ""},
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

TEST(VersionText, NameVersionAndModificationTime) {
    qmx::testing::TempFolder folder;
    const std::string program = folder.write("qmx", "");
    const timespec times[2] = {{0, UTIME_OMIT}, {86400 + 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, program.c_str(), times, 0), 0);

    const char* previousTz = std::getenv("TZ");
    const std::string savedTz = previousTz ? previousTz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const std::string text = versionText(program);
    previousTz ? ::setenv("TZ", savedTz.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();

    EXPECT_EQ(text, "qmx(ver." QMX_VERSION ") : Fri Jan  2 01:00:00 1970");
    EXPECT_EQ(versionText(folder.file("missing")), "");
}

} // namespace
} // namespace qmx::app
