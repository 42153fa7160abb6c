#include "app/cectsettings.h"

#include "../platform/tempfolder.h"
#include "platform/registry.h"

#include <gtest/gtest.h>

namespace qmx::app {
namespace {

using qmx::testing::TempFolder;

// Loads a registry file holding `values` (one registry-export line each).
CEctSettings loadWith(const std::string& values, ScreenSize screen = kLargeScreen) {
    TempFolder folder;
    platform::Registry registry;
    registry.load(folder.write("registry.reg", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n" + values));
    CEctSettings settings;
    EXPECT_EQ(settings.load(registry, screen), 0);
    return settings;
}

TEST(CEctSettings, MissingKeyGivesMinusOneAndTheScreensDefaults) {
    const platform::Registry missing;
    CEctSettings settings;
    EXPECT_EQ(settings.load(missing, {640, 480}), -1);
    EXPECT_EQ(settings.programDlgFontSize, 14);
    EXPECT_EQ(settings.tableWndCellWidth, 50);
    EXPECT_EQ(settings.tableWndCellHeight, 16);
    EXPECT_EQ(settings.tableWndFontSize, 14);
    EXPECT_EQ(settings.ecuCheckResult, (std::array<std::uint8_t, 2>{'K', 'D'}));
    EXPECT_FALSE(settings.ecuCheckResultPresent);
    EXPECT_EQ(settings.rs232cPort, -1);
    EXPECT_TRUE(settings.rs232cPortAutoSelect);
    EXPECT_EQ(settings.showSplashTime, 750u);

    EXPECT_EQ(settings.load(missing, {1024, 768}), -1);
    EXPECT_EQ(settings.programDlgFontSize, 19);
    EXPECT_EQ(settings.tableWndCellWidth, 55);
    EXPECT_EQ(settings.tableWndCellHeight, 20);
    EXPECT_EQ(settings.tableWndFontSize, 16);
    // Only a screen small in both directions is small.
    EXPECT_FALSE((ScreenSize{640, 600}).isSmall());
    EXPECT_FALSE((ScreenSize{800, 480}).isSmall());
}

TEST(CEctSettings, DwordsOutsideTheirRangeKeepTheDefault) {
    const CEctSettings s = loadWith("\"TableWndCellWidth\"=dword:00000000\n"
                                    "\"TableWndCellHeight\"=dword:ffffffff\n"
                                    "\"ProgramDlgFontSize\"=\"22\"\n" // text, not a DWORD
                                    "\"TableWndFontSize\"=dword:00000000\n"
                                    "\"ReadEcuNum\"=dword:00000010\n"
                                    "\"Rs232cPort\"=dword:00000004\n"
                                    "\"Rs232cPortAutoSelect\"=dword:00000000\n"
                                    "\"XOROFF\"=dword:00000001\n"
                                    "\"ShowSplashTime\"=dword:00004e20\n");
    EXPECT_EQ(s.tableWndCellWidth, 55);
    EXPECT_EQ(s.tableWndCellHeight, 20);
    EXPECT_EQ(s.programDlgFontSize, 19);
    EXPECT_EQ(s.tableWndFontSize, 0);
    EXPECT_EQ(s.readEcuNum, 16);
    EXPECT_EQ(s.rs232cPort, 4);
    EXPECT_FALSE(s.rs232cPortAutoSelect);
    EXPECT_EQ(s.xorOff, 1);
    EXPECT_EQ(s.showSplashTime, 10000u);
}

TEST(CEctSettings, DecimalTextsMustBeWholeNumbersInRange) {
    struct Case {
        const char* line;
        std::int32_t expected;
    };
    const Case scanCases[] = {
        {"\"ScanSelectedPortTimeout\"=\"35\"", 35},
        {"\"ScanSelectedPortTimeout\"=\"0\"", 20},
        {"\"ScanSelectedPortTimeout\"=\"-5\"", 20},
        {"\"ScanSelectedPortTimeout\"=\"12a\"", 20},
        {"\"ScanSelectedPortTimeout\"=\"\"", 20},
        {"\"ScanSelectedPortTimeout\"=\"-\"", 20},
        {"\"ScanSelectedPortTimeout\"=\"123456789\"", 123456789},
        {"\"ScanSelectedPortTimeout\"=\"1234567890\"", 20}, // does not fit in 10 bytes
        {"\"ScanSelectedPortTimeout\"=dword:00000023", 20}, // a DWORD is the wrong type
    };
    for (const Case& c : scanCases)
        EXPECT_EQ(loadWith(c.line).scanSelectedPortTimeout, c.expected) << c.line;

    const CEctSettings s = loadWith("\"EchoBackWaitTime\"=\"0\"\n"
                                    "\"EchoBackReadWaitTime\"=\"-1\"\n"
                                    "\"EchoBackWaitTime_ReadECU\"=\"15\"\n"
                                    "\"SequentialScanPortTimeout\"=\"1\"\n"
                                    "\"CommandRetrycount\"=\"-1\"\n");
    EXPECT_EQ(s.echoBackWaitTime, 0);
    EXPECT_EQ(s.echoBackReadWaitTime, 0);
    EXPECT_EQ(s.echoBackWaitTimeReadEcu, 15);
    EXPECT_EQ(s.sequentialScanPortTimeout, 1);
    EXPECT_EQ(s.commandRetrycount, -1);
}

TEST(CEctSettings, EcuCheckResultTakesBinaryBytesAndTextAsZero) {
    using Bytes = std::array<std::uint8_t, 2>;
    const std::pair<const char*, Bytes> cases[] = {
        {"\"EcuCheckResult\"=hex:41,42", {'A', 'B'}},
        {"\"EcuCheckResult\"=hex:41,42,43", {'A', 'B'}},
        {"\"EcuCheckResult\"=hex:41", {'A', 0}},
        {"\"EcuCheckResult\"=\"KD\"", {0, 0}},
    };
    for (const auto& [line, expected] : cases) {
        const CEctSettings s = loadWith(line);
        EXPECT_EQ(s.ecuCheckResult, expected) << line;
        EXPECT_TRUE(s.ecuCheckResultPresent) << line;
    }
}

TEST(CEctSettings, DriveLetterFoldersKeepTheirLastComponent) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\\\Tools\\\\Setup", "Setup"},
        {"Setup\\\\Sub", "Setup\\Sub"},
        {"C:\\\\", ""},
        {"C:", "C:"},
        {"/opt/qmx", "/opt/qmx"},
    };
    for (const auto& [stored, expected] : cases) {
        const CEctSettings s = loadWith(std::string("\"InitializeFolder\"=\"") + stored +
                                        "\"\n\"SettingFolder\"=\"" + stored + "\"\n");
        EXPECT_EQ(s.initializeFolder, expected) << stored;
        EXPECT_EQ(s.settingFolder, expected) << stored;
    }
}

TEST(CEctSettings, TextsLongerThanTheirBufferAreNotRead) {
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'a');
    const CEctSettings s = loadWith("\"MachineName\"=\"" + fits + "\"\n\"Install Directory\"=\"" +
                                    tooLong + "\"\n\"CommoLog\"=\"/var/log/" + tooLong + "\"\n");
    EXPECT_EQ(s.machineName, fits);
    EXPECT_EQ(s.installDirectory, "");
    EXPECT_EQ(s.commoLog, "");
}

} // namespace
} // namespace qmx::app
