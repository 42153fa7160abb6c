#include "config/packedfile.h"

#include <gtest/gtest.h>

#include "support/linesof.h"
#include "support/tempfolder.h"
#include "text/messages.h"

namespace qmx::config {
namespace {

namespace msg = text::msg;
using qmx::testing::linesOf;

// The coded version line "QMX_1.0.1.0".
const std::string Version = "000b15d485f513e203e213e203\r\n";

std::string packed(const CLineList& lines) {
    std::string out;
    EXPECT_EQ(writePackedFile(lines, out), msg::Success);
    return out;
}

TEST(WritePackedFile, TitleBlockPlainTheRestCoded) {
    EXPECT_EQ(packed(linesOf({"[Title]", "My title", "[Data]", "AB", ""})),
              "[Title]\r\nMy title\r\n\r\n[End Title]\r\n" + Version +
                  "0006b544164716d5\r\n00021424\r\n0000\r\n" + Version);
    // A coded line over 65535 bytes fails before anything is written.
    std::string out = "old";
    EXPECT_EQ(writePackedFile(linesOf({"[Data]", std::string(70000, 'x')}), out), msg::LineTooLong);
    EXPECT_TRUE(out.empty());
}

// Read then written gives the same bytes, also for the line lists that once changed on the
// way: no section after the title, a line holding the version text, lines holding CR or LF
// (only a packed file can give those).
TEST(ReadPackedFile, EveryLineListReadsBackUnchanged) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"[Title]", "", "[Data]", std::string(300, 'x'), "", "; \xE9t\xE9", "[Free Map]"},
        {"[Title]", "My title"},
        {"[Data]", "QMX_1.0.1.0", "S9030000FC"},
        {"QMX_1.0.1.0", "[Data]", "QMX_1.0.1.0"},
        {"a\nb", "[Data]"},
        {"[Title]", "a\r", "[Data]", "c\r\nd"},
    };
    testing::TempFolder dir;
    for (const auto& texts : cases) {
        const std::string first = packed(linesOf(texts));
        CLineList read;
        ASSERT_EQ(readPackedFile(dir.write("a.rcz", first), read), msg::Success) << first;
        EXPECT_EQ(read.lines(), texts) << first;
        EXPECT_EQ(packed(read), first);
    }

    // Lone LF ends lines too, and what follows a coded line's pairs is passed over.
    const std::string loose = "[Title]\n\n[End Title]\n" + Version + "00021424 tail\n" + Version;
    CLineList read;
    ASSERT_EQ(readPackedFile(dir.write("b.rcz", loose), read), msg::Success);
    EXPECT_EQ(read.lines(), (std::vector<std::string>{"[Title]", "AB"}));
}

TEST(ReadPackedFile, MalformedFilesAre57655AndAddNoLine) {
    const std::string head = "[Title]\r\n\r\n[End Title]\r\n" + Version;
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"plain file", "[Title]\r\n[Data]\r\nS9030000FC\r\n"},
        {"missing trailer", head + "00021424\r\n"},
        {"bad pair characters", head + "00021g24\r\n" + Version},
        {"length not hexadecimal", head + "00x21424\r\n" + Version},
        {"pairs past the line end", head + "0003142\r\n" + Version},
        {"empty coded line", head + "\r\n" + Version},
        {"wrong version", "[End Title]\r\n00021424\r\n" + Version},
        {"End Title without LF", "[Title]\r\n[End Title]"},
    };
    testing::TempFolder dir;
    for (const auto& [name, bytes] : cases) {
        CLineList lines;
        EXPECT_EQ(readPackedFile(dir.write("bad.rcz", bytes), lines), msg::PackedVersionError)
            << name;
        EXPECT_EQ(lines.count(), 0u) << name;
    }
}

} // namespace
} // namespace qmx::config
