#include "platform/profile.h"
#include "platform/profiletext.h"
#include "platform/textencoding.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qmx::platform {
namespace {

using qmx::testing::readAll;
using qmx::testing::TempFolder;

const char* const kSample = "; settings\r\n"
                            "[RS232C]\r\n"
                            "  speed = 9600  \r\n"
                            "PORT=\"PORT3\"\r\n"
                            "Empty=\r\n"
                            "\r\n"
                            "[ Directory ]\r\n"
                            "PATH1='C:\\Work'\r\n"
                            "[rs232c]\r\n"
                            "TIMEOUT=7\r\n";

TEST(ProfileText, LooksUpNamesWithoutCaseAndTrimsValues) {
    const ProfileText text(kSample);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"RS232C", "SPEED", "9600"},
        {"RS232C", "PORT", "PORT3"}, // one pair of quotes is removed
        {"RS232C", "Empty", ""},     // present, empty
        {"DIRECTORY", "path1", "C:\\Work"},
        {"RS232C", "TIMEOUT", std::nullopt}, // only the first section of a name counts
        {"Directory", "SPEED", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text.value(c.section, c.key), c.expected) << c.section << "/" << c.key;
}

// A write changes only its key's line, adds a key after its section's last entry and a new
// section with the file's line end, and refuses text that would not read back.
TEST(ProfileText, WritesChangeOnlyTheLineOfTheirKey) {
    ProfileText text(kSample);
    for (const auto& [section, key, value] :
         {std::tuple{"DIRECTORY", "PATH1", "/tmp/a\nPATH2=/etc"},
          {"DIR]", "PATH1", "x"},
          {"DIRECTORY", "PA=TH", "x"},
          {"DIRECTORY", " ", "x"}})
        EXPECT_FALSE(text.setValue(section, key, value)) << section << key;
    EXPECT_EQ(text.bytes(), kSample);
    ASSERT_TRUE(text.setValue("rs232c", "SPEED", "4800"));
    ASSERT_TRUE(text.setValue("RS232C", "XFLLOW", "NO"));
    std::string expected = kSample;
    expected.replace(expected.find("  speed = 9600  "), 16, "speed=4800");
    expected.insert(expected.find("\r\n\r\n[ Directory ]") + 2, "XFLLOW=NO\r\n");
    EXPECT_EQ(text.bytes(), expected);

    ProfileText unterminated("[A]\r\nx=1"); // no line end after the last line
    ASSERT_TRUE(unterminated.setValue("DIAGSELECT", "SELECT0", "3"));
    EXPECT_EQ(unterminated.bytes(), "[A]\r\nx=1\r\n\r\n[DIAGSELECT]\r\nSELECT0=3\r\n");
}

TEST(Profile, ReadsFallBackWhenFileKeyOrValueIsMissingAndAWriteCreatesTheFile) {
    TempFolder folder;
    Profile missing(folder.file("none.INI"));
    EXPECT_EQ(missing.readInt("RS232C", "TIMEOUT", 50), 50);
    ASSERT_TRUE(missing.writeString("RS232C", "PORT", "PORT10"));
    EXPECT_EQ(readAll(missing.path()), "[RS232C]\nPORT=PORT10\n");

    const Profile profile(folder.write("qmx.INI", "[RS232C]\nTIMEOUT=\nRETRY=x\nWAIT=-3s\n"));
    EXPECT_EQ(profile.readInt("RS232C", "TIMEOUT", 50), 50);
    EXPECT_EQ(profile.readInt("RS232C", "RETRY", 9), 0);
    EXPECT_EQ(profile.readInt("RS232C", "WAIT", 100), -3);
    EXPECT_EQ(profile.readInt("RS232C", "ECRETRY", 4), 4);
}

TEST(Profile, WritesKeepTheEncodingAndNeverAddASectionThatCouldNotBeRead) {
    using namespace std::string_literals;
    TempFolder folder;
    const auto utf16 = [](std::string_view text) {
        return "\xFF\xFE" + utf16LeFromUtf8(text).value();
    };
    Profile unicode(folder.write("qmx.INI", utf16("[RS232C]\r\nSPEED=9600\r\n[DIRECTORY]\r\n")));
    ASSERT_TRUE(unicode.writeString("RS232C", "PORT", "PORT3"));
    ASSERT_TRUE(unicode.writeString("DIRECTORY", "PATH1", "/home/j\xC3\xB6rg"));
    EXPECT_EQ(readAll(unicode.path()),
              utf16("[RS232C]\r\nSPEED=9600\r\nPORT=PORT3\r\n[DIRECTORY]\r\n"
                    "PATH1=/home/j\xC3\xB6rg\r\n"));
    EXPECT_EQ(unicode.readString("DIRECTORY", "PATH1", ""), "/home/j\xC3\xB6rg");
    // Text that has no UTF-16 form is refused rather than written as bytes.
    EXPECT_FALSE(unicode.writeString("DIRECTORY", "PATH1", "/home/j\xF6rg"));

    // UTF-16 without its mark reads as nothing, and nothing is written into it.
    const std::string unmarked = "[\0R\0S\0]\0\r\0\n\0"s;
    Profile unreadable(folder.write("b.INI", unmarked));
    EXPECT_EQ(unreadable.readString("RS", "PORT", "none"), "none");
    EXPECT_FALSE(unreadable.writeString("RS", "PORT", "PORT3"));
    EXPECT_EQ(readAll(unreadable.path()), unmarked);
}

} // namespace
} // namespace qmx::platform
