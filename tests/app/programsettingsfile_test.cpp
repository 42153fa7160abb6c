#include "app/programsettingsfile.h"

#include "../platform/tempfolder.h"
#include "app/cectsettings.h"
#include "app/linesettingtext.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qmx::app {
namespace {

using qmx::testing::TempFolder;

TEST(LineSettingText, TextsGiveTheirIndexes) {
    struct Case {
        std::int32_t (*parse)(std::string_view);
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {speedIndex, "600", 0},   {speedIndex, "19200", 5},   {speedIndex, "9600", 4},
        {speedIndex, "38400", 3}, {speedIndex, "9600BPS", 3}, {speedIndex, "", 3},
        {dataIndex, "7BIT", 0},   {dataIndex, "8BIT", 1},     {dataIndex, "", 1},
        {parityIndex, "ODD", 1},  {parityIndex, "EVEN", 2},   {parityIndex, "odd", 0},
        {stopIndex, "1.5BIT", 1}, {stopIndex, "2BIT", 2},     {stopIndex, "1BIT", 0},
        {stopIndex, "1.", 0},     {flowIndex, "NO", 1},       {flowIndex, "no", 0},
        {flowIndex, "YES", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.parse(c.text), c.expected) << c.text;
}

TEST(LineSettingText, PortNames) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"PORT1", 0},    {"PORT8", 7},    {"PORT12", 11},  {"PORT256", 255},
        {"TROP5", 4},    {"17", 16},      {"COM3", -1},    {"PORT0", -1},
        {"PORT300", -1}, {"PORT257", -1}, {"PORT12a", -1}, {"PORT", -1},
        {"", -1},        {"port3", -1},   {"PORT-1", -1},  {"PORT99999999999", -1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(portIndexFromName(text), expected) << text;
    EXPECT_EQ(portName(9), "PORT10");
    EXPECT_EQ(portName(255), "PORT256");
    EXPECT_EQ(portName(256), "PORT1");
    EXPECT_EQ(portName(-1), "PORT1");
}

TEST(ProgramSettingsFile, MissingKeysTakeTheirDefaults) {
    TempFolder folder;
    const StartupSettings s = readStartupSettings(platform::Profile(folder.file("none.INI")), 1);
    EXPECT_EQ(s.line.baud, 3);
    EXPECT_EQ(s.line.data, 1);
    EXPECT_EQ(s.line.parity, 0);
    EXPECT_EQ(s.line.stop, 0);
    EXPECT_EQ(s.line.flow, 0);
    EXPECT_EQ(s.line.port, -1);
    EXPECT_EQ(s.timeout, 50);
    EXPECT_EQ(s.waitTime, 100);
    EXPECT_EQ(s.retry, 9);
    EXPECT_EQ(s.ecRetry, 4);
    EXPECT_FALSE(s.message);
    EXPECT_EQ(s.undoSize, 1024);
    EXPECT_EQ(s.precision.x, 1);
    EXPECT_EQ(s.precision.y, 1);
    EXPECT_EQ(s.precision.z, 1);
    EXPECT_EQ(s.print.line, 0);
    EXPECT_EQ(s.initialFolder, "");
    EXPECT_EQ(s.commandRetryCount, 1);
}

TEST(ProgramSettingsFile, ReadsEveryKey) {
    TempFolder folder;
    const platform::Profile file(folder.write("qmx.INI", "[RS232C]\n"
                                                         "MESSAGE=1\n"
                                                         "SPEED=19200\n"
                                                         "DATA=7BIT\n"
                                                         "PARITY=EVEN\n"
                                                         "STOP=2BIT\n"
                                                         "XFLLOW=NO\n"
                                                         "PORT=PORT12\n"
                                                         "TIMEOUT=5\n"
                                                         "WAITTIME=10\n"
                                                         "RETRY=2\n"
                                                         "ECRETRY=0\n"
                                                         "CommandRetrycount=-2\n"
                                                         "[UNDO]\nSIZE=64\n"
                                                         "[PRECISION]\nX=3\nY=-1\nZ=40\n"
                                                         "[PRINT]\nLEFT=10\nBOTTOM=4\n"
                                                         "[DIRECTORY]\nPATH1=C:\\Work\\Maps\n"));
    const StartupSettings s = readStartupSettings(file, -1);
    EXPECT_TRUE(s.message);
    EXPECT_EQ(s.line.baud, 5);
    EXPECT_EQ(s.line.data, 0);
    EXPECT_EQ(s.line.parity, 2);
    EXPECT_EQ(s.line.stop, 2);
    EXPECT_EQ(s.line.flow, 1);
    EXPECT_EQ(s.line.port, 11);
    EXPECT_EQ(s.timeout, 5);
    EXPECT_EQ(s.waitTime, 10);
    EXPECT_EQ(s.retry, 2);
    EXPECT_EQ(s.ecRetry, 0);
    EXPECT_EQ(s.commandRetryCount, -2);
    EXPECT_EQ(s.undoSize, 64);
    EXPECT_EQ(s.precision.x, 3);
    EXPECT_EQ(s.precision.y, 0); // precisions are limited to 0..15
    EXPECT_EQ(s.precision.z, 15);
    EXPECT_EQ(s.print.left, 10);
    EXPECT_EQ(s.print.bottom, 4);
    EXPECT_EQ(s.print.top, 0);
    EXPECT_EQ(s.initialFolder, "C:/Work/Maps");
}

TEST(ProgramSettingsFile, RetryCountOfTheRegistryStandsWhenTheFileHasNone) {
    TempFolder folder;
    const platform::Profile file(folder.write("qmx.INI", "[RS232C]\nSPEED=9600\n"));
    EXPECT_EQ(readStartupSettings(file, -1).commandRetryCount, -1);
}

class FindProgramSettings : public ::testing::Test {
protected:
    TempFolder folder;
    CEctSettings registry;
};

TEST_F(FindProgramSettings, InstallDirectoryAndInitializeFolder) {
    std::filesystem::create_directories(folder.file("inst/Setup/Sub"));
    folder.write("inst/Setup/Sub/qmx.INI", "");
    registry.installDirectory = folder.path() + "\\inst";
    registry.initializeFolder = "Setup\\Sub";
    EXPECT_EQ(findProgramSettingsFile(registry, "/nowhere", "qmx"),
              folder.path() + "/inst/Setup/Sub/qmx.INI");
}

TEST_F(FindProgramSettings, EmptyInstallDirectoryMeansTheProgramsFolder) {
    folder.write("qmx.INI", "");
    EXPECT_EQ(findProgramSettingsFile(registry, folder.path(), "qmx"), folder.path() + "/qmx.INI");
}

TEST_F(FindProgramSettings, ExactNameFirstThenAnyCase) {
    folder.write("qmx.ini", "");
    folder.write("QMX.Ini", "");
    EXPECT_EQ(findProgramSettingsFile(registry, folder.path(), "qmx"), folder.path() + "/QMX.Ini");
    folder.write("qmx.INI", "");
    EXPECT_EQ(findProgramSettingsFile(registry, folder.path(), "qmx"), folder.path() + "/qmx.INI");
}

TEST_F(FindProgramSettings, NothingWhenMissingOrNotAFile) {
    EXPECT_FALSE(findProgramSettingsFile(registry, folder.path(), "qmx"));
    std::filesystem::create_directory(folder.file("qmx.INI"));
    EXPECT_FALSE(findProgramSettingsFile(registry, folder.path(), "qmx"));
    EXPECT_FALSE(findProgramSettingsFile(registry, folder.file("absent"), "qmx"));
}

} // namespace
} // namespace qmx::app
