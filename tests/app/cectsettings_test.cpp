#include "app/cectsettings.h"

#include "platform/registry.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace qmx::app {
namespace {

using qmx::testing::TempFolder;

// Loads a registry file holding `values` (registry-export lines).
CEctSettings loadWith(const std::string& values) {
    TempFolder folder;
    platform::Registry registry;
    registry.load(folder.write("registry.reg", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n" + values));
    CEctSettings settings;
    EXPECT_EQ(settings.load(registry, kLargeScreen), 0);
    return settings;
}

TEST(CEctSettings, DwordsOutsideTheirRangeKeepTheDefault) {
    const CEctSettings s = loadWith("\"TableWndCellWidth\"=dword:00000000\n"
                                    "\"TableWndCellHeight\"=dword:ffffffff\n"
                                    "\"ProgramDlgFontSize\"=\"22\"\n" // text, not a DWORD
                                    "\"TableWndFontSize\"=dword:00000000\n"
                                    "\"Rs232cPort\"=dword:ffffffff\n"
                                    "\"Rs232cPortAutoSelect\"=dword:00000000\n"
                                    "\"ShowSplashTime\"=dword:00004e20\n");
    EXPECT_EQ(s.tableWndCellWidth, 55);
    EXPECT_EQ(s.tableWndCellHeight, 20);
    EXPECT_EQ(s.programDlgFontSize, 19);
    EXPECT_EQ(s.tableWndFontSize, 0);
    EXPECT_EQ(s.rs232cPort, -1);
    EXPECT_FALSE(s.rs232cPortAutoSelect);
    EXPECT_EQ(s.showSplashTime, 10000u);
}

TEST(CEctSettings, DecimalTextsMustBeWholeNumbersInRange) {
    const std::pair<const char*, std::int32_t> scanCases[] = {
        {"\"35\"", 35},
        {"\"0\"", 20},
        {"\"12a\"", 20},
        {"\"123456789\"", 123456789},
        {"\"1234567890\"", 20}, // does not fit in 10 bytes
        {"dword:00000023", 20}, // a DWORD is the wrong type
    };
    for (const auto& [data, expected] : scanCases)
        EXPECT_EQ(loadWith(std::string("\"ScanSelectedPortTimeout\"=") + data + "\n")
                      .scanSelectedPortTimeout,
                  expected)
            << data;

    const CEctSettings s = loadWith("\"EchoBackWaitTime\"=\"0\"\n"
                                    "\"EchoBackReadWaitTime\"=\"-1\"\n"
                                    "\"CommandRetrycount\"=\"-1\"\n");
    EXPECT_EQ(s.echoBackWaitTime, 0);
    EXPECT_EQ(s.echoBackReadWaitTime, 0);
    EXPECT_EQ(s.commandRetrycount, -1);
}

// EcuCheckResult takes binary bytes and counts a text as zero bytes; folders keep what follows
// a drive letter; texts longer than their buffer are not read.
TEST(CEctSettings, BinaryFolderAndTextValues) {
    using Bytes = std::array<std::uint8_t, 2>;
    for (const auto& [data, expected] : {std::pair{"hex:41,42,43", Bytes{'A', 'B'}},
                                         {"\"KD\"", Bytes{0, 0}}}) {
        const CEctSettings s = loadWith(std::string("\"EcuCheckResult\"=") + data + "\n");
        EXPECT_EQ(s.ecuCheckResult, expected) << data;
        EXPECT_TRUE(s.ecuCheckResultPresent) << data;
    }
    for (const auto& [stored, expected] : {std::pair{"C:\\\\Tools\\\\Setup", "Setup"},
                                           {"Setup\\\\Sub", "Setup\\Sub"},
                                           {"/opt/qmx", "/opt/qmx"}}) {
        const CEctSettings s = loadWith(std::string("\"InitializeFolder\"=\"") + stored +
                                        "\"\n\"SettingFolder\"=\"" + stored + "\"\n");
        EXPECT_EQ(s.initializeFolder, expected) << stored;
        EXPECT_EQ(s.settingFolder, expected) << stored;
    }
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'a');
    const CEctSettings s = loadWith("\"MachineName\"=\"" + fits + "\"\n\"Install Directory\"=\"" +
                                    tooLong + "\"\n\"CommoLog\"=\"/var/log/" + tooLong + "\"\n");
    EXPECT_EQ(s.machineName, fits);
    EXPECT_EQ(s.installDirectory + s.commoLog, "");
}

} // namespace
} // namespace qmx::app
