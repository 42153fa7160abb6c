#include "platform/textencoding.h"
#include "platform/textfile.h"

#include <gtest/gtest.h>

namespace qmx::platform {
namespace {

using namespace std::string_literals;

TEST(TextEncoding, Utf16AndWindows1252ComeOutAsTheSameUtf8) {
    // A, Ü, € and an emoji (a surrogate pair) in UTF-16LE.
    const std::string units = "A\0\xDC\0\xAC\x20\x3D\xD8\x00\xDE"s;
    const std::string utf8 = "A\xC3\x9C\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(utf8FromUtf16Le(units), utf8);
    EXPECT_EQ(utf16LeFromUtf8(utf8), units);
    // A lone surrogate survives the round trip; bytes that are not UTF-8 have no UTF-16 form.
    const std::string lone = "\x00\xD8X\x00"s;
    EXPECT_EQ(utf16LeFromUtf8(utf8FromUtf16Le(lone)), lone);
    EXPECT_FALSE(isValidUtf8("\xC0\xAF")); // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
}

TEST(TextFile, EveryFormGivesTheSameLinesAndItsOwnBytesBack) {
    const std::pair<std::string, TextEncoding> cases[] = {
        {"[A]\nx=1\n", TextEncoding::Bytes},
        {"[A]\r\nx=1", TextEncoding::Bytes},
        {"[A]\rx=1\r", TextEncoding::Bytes},
        {"\xEF\xBB\xBF[A]\r\nx=1\r\n", TextEncoding::Utf8Bom},
        {"\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0001\0\r\0\n\0"s, TextEncoding::Utf16Le},
    };
    for (const auto& [bytes, encoding] : cases) {
        const std::optional<TextFile> file = decodeTextFile(bytes);
        ASSERT_TRUE(file) << bytes;
        EXPECT_EQ(file->encoding, encoding);
        ASSERT_EQ(file->lines.size(), 2u);
        EXPECT_EQ(file->lines[0].text, "[A]");
        EXPECT_EQ(file->lines[1].text, "x=1");
        EXPECT_EQ(encodeTextFile(*file), bytes);
    }
    EXPECT_FALSE(decodeTextFile("\xFF\xFE[\0A"s)); // an odd count of UTF-16 bytes
}

} // namespace
} // namespace qmx::platform
