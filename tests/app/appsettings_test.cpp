#include "app/appsettings.h"

#include "app/appportindexstore.h"
#include "ecu/portindexstore.h"

#include "support/tempfolder.h"
#include "text/messages.h"

#include <gtest/gtest.h>

namespace qmx::app {
namespace {

using qmx::testing::readAll;
using qmx::testing::TempFolder;

class AppSettingsTest : public ::testing::Test {
protected:
    // A home folder with a registry file holding `registryValues`, and the program's folder
    // with a qmx.INI holding `ini`.
    text::Status start(const std::string& registryValues, const std::string& ini) {
        folder.write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n" +
                                         registryValues);
        folder.write("qmx.INI", ini);
        return loadAppSettings(settings, {folder.path(), folder.path(), "qmx"}, kLargeScreen);
    }
    int currentPort() {
        AppPortIndexStore ports(settings);
        return ecu::currentPortIndex(ports);
    }
    bool setPort(int index) {
        AppPortIndexStore ports(settings);
        return ecu::setPortIndex(ports, index);
    }
    bool setAutoSelect(bool on) {
        AppPortIndexStore ports(settings);
        return ports.setAutoSelect(on);
    }
    std::string registryFile() const { return readAll(folder.file("registry.reg")); }
    std::string iniFile() const { return readAll(folder.file("qmx.INI")); }

    TempFolder folder;
    AppSettings settings;
};

TEST_F(AppSettingsTest, MissingSettingsFileNamesTheFolderSearchedAndWhereItCameFrom) {
    const StartupPlaces places{folder.path(), folder.file("bin"), "qmx"};
    EXPECT_EQ(loadAppSettings(settings, places, kLargeScreen), text::msg::ProgramSettingsMissing);
    EXPECT_EQ(startFailureText(text::msg::ProgramSettingsMissing, settings, places),
              "qmx.ini is not exist.\nFolder searched: " + folder.file("bin") +
                  "/\n(the program's folder: " + folder.file("registry.reg") + " cannot be read)");
}

// The registry's port comes first, then qmx.INI's, which is copied into an empty registry.
TEST_F(AppSettingsTest, StartupPortFromEitherStore) {
    const struct {
        const char* registry;
        const char* ini;
        int port;
        const char* registryAfter; // its Rs232cPort line, and what follows
    } cases[] = {
        {"", "[RS232C]\nPORT=PORT3\n", 2, "\"Rs232cPort\"=dword:00000002\n"},
        {"\"Rs232cPort\"=dword:00000005\n", "[RS232C]\nPORT=PORT3\n", 5,
         "\"Rs232cPort\"=dword:00000005\n"},
        {"", "[RS232C]\nPORT=COM3\n", -1, ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(start(c.registry, c.ini), 0);
        EXPECT_EQ(currentPort(), c.port) << c.ini;
        const std::string registry = registryFile();
        EXPECT_EQ(registry.substr(std::min(registry.find("\"Rs232cPort\""), registry.size())),
                  c.registryAfter);
    }
    // The file's retry count wins over the registry's.
    ASSERT_EQ(start("\"CommandRetrycount\"=\"-1\"\n", "[RS232C]\nCommandRetrycount=3\n"), 0);
    EXPECT_EQ(settings.startup.commandRetryCount, 3);
}

// (A port found by a search, written to both stores: the qmxctl search test.)
TEST_F(AppSettingsTest, PortChoiceWritesBothStores) {
    ASSERT_EQ(start("\"Rs232cPort\"=dword:00000002\n", "[RS232C]\r\nPORT=PORT3\r\nSPEED=9600\r\n"),
              0);
    EXPECT_TRUE(setPort(300));
    EXPECT_NE(iniFile().find("PORT=PORT1\r\n"), std::string::npos);
    EXPECT_NE(registryFile().find("\"Rs232cPort\"=dword:0000012c"), std::string::npos);

    // Auto-select is written only when it changes.
    EXPECT_TRUE(setAutoSelect(true));
    EXPECT_EQ(registryFile().find("Rs232cPortAutoSelect"), std::string::npos);
    EXPECT_TRUE(setAutoSelect(false));
    EXPECT_NE(registryFile().find("\"Rs232cPortAutoSelect\"=dword:00000000"), std::string::npos);
}

TEST_F(AppSettingsTest, WithoutARegistryFileThePortStillServesTheRun) {
    folder.write("qmx.INI", "[RS232C]\nPORT=PORT4\n");
    ASSERT_EQ(loadAppSettings(settings, {folder.file("home"), folder.path(), "qmx"}, kLargeScreen),
              0);
    EXPECT_EQ(currentPort(), 3);
    EXPECT_FALSE(setAutoSelect(false)); // the key cannot be opened for writing
}

} // namespace
} // namespace qmx::app
