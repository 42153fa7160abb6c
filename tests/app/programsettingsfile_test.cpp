#include "app/programsettingsfile.h"

#include "app/cectsettings.h"
#include "platform/comports.h"
#include "platform/profile.h"
#include "platform/textencoding.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qmx::app {
namespace {

using qmx::testing::TempFolder;

// (The texts of the line settings: every key of qmx.INI read below.)
TEST(LineSettingText, PortNames) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"PORT1", 0},    {"PORT12", 11}, {"PORT256", 255}, {"TROP5", 4},
        {"17", 16},      {"COM3", -1},   {"PORT0", -1},    {"PORT300", -1},
        {"PORT12a", -1}, {"PORT", -1},   {"port3", -1},    {"PORT99999999999", -1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(platform::portIndexFromName(text), expected) << text;
    EXPECT_EQ(platform::portName(9), "PORT10");
    EXPECT_EQ(platform::portName(256), "PORT1");
}

TEST(ProgramSettingsFile, ReadsEveryKeyInEveryFormWindowsSavesItIn) {
    // Form feeds and vertical tabs are blanks around a value, as spaces are.
    const std::string text = "[RS232C]\nMESSAGE=1\nSPEED=19200\f\nDATA=7BIT\nPARITY=EVEN\n"
                             "STOP=2BIT\nXFLLOW=NO\v\nPORT=PORT12\nTIMEOUT=5\nWAITTIME=10\n"
                             "RETRY=2\nECRETRY=0\nCommandRetrycount=-2\n[UNDO]\nSIZE=64\n"
                             "[PRECISION]\nX=3\nY=-1\nZ=40\n[PRINT]\nLEFT=10\nBOTTOM=4\n"
                             "[DIRECTORY]\nPATH1=C:\\Work\\M\xC3\xA4ps\n";
    const auto withLineEnd = [&](std::string_view eol) {
        std::string copy;
        for (const char c : text)
            copy += c == '\n' ? std::string(eol) : std::string(1, c);
        return copy;
    };
    const std::string forms[] = {
        text,
        "\xEF\xBB\xBF" + text,
        "\xFF\xFE" + platform::utf16LeFromUtf8(withLineEnd("\r\n")).value(),
        withLineEnd("\r"),
    };
    // Precisions are limited to 0..15; "\" in a folder reads as "/".
    const StartupSettings expected{
        {5, 0, 2, 2, 1, 11},   -2,        5, 10, 2, 0, true, 64, {10, 0, 0, 4, 0},
        "C:/Work/M\xC3\xA4ps", {3, 0, 15}};
    for (const std::string& form : forms) {
        TempFolder folder;
        const platform::Profile file(folder.write("qmx.INI", form));
        EXPECT_EQ(readStartupSettings(file, 1), expected) << form;
    }
}

// Install Directory + InitializeFolder, else the program's folder; the exact name first, then
// any case; a folder of that name is no file.
TEST(ProgramSettingsFile, FoundWhereTheRegistrySaysInAnyCase) {
    TempFolder folder;
    CEctSettings registry;
    const auto find = [&] { return findProgramSettingsFile(registry, folder.path(), "qmx"); };
    EXPECT_FALSE(find());
    std::filesystem::create_directory(folder.file("qmx.INI"));
    EXPECT_FALSE(find());
    std::filesystem::remove(folder.file("qmx.INI"));
    folder.write("qmx.ini", "");
    folder.write("QMX.Ini", "");
    EXPECT_EQ(find(), folder.path() + "/QMX.Ini");
    folder.write("qmx.INI", "");
    EXPECT_EQ(find(), folder.path() + "/qmx.INI");

    std::filesystem::create_directories(folder.file("inst/Setup/Sub"));
    folder.write("inst/Setup/Sub/qmx.INI", "");
    registry.installDirectory = folder.path() + "\\inst";
    registry.initializeFolder = "Setup\\Sub";
    EXPECT_EQ(find(), folder.path() + "/inst/Setup/Sub/qmx.INI");
}

} // namespace
} // namespace qmx::app
