#include "app/linkhost.h"

#include "app/appsettings.h"
#include "ecu/fakes.h"
#include "support/tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::app::test {
using namespace qmx::ecu;
using namespace qmx::ecu::test;
namespace {

using ::testing::HasSubstr;

// A QMX home holding `registry` (value lines) and qmx.INI (`ini`), loaded as start-up does, and
// a link host over it.
struct HostRig {
    HostRig(const std::string& registry, const std::string& ini) {
        home.write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n" +
                                       registry);
        home.write("qmx.INI", ini);
        const app::StartupPlaces places{home.path(), home.path(), "qmx"};
        EXPECT_EQ(app::loadAppSettings(settings, places, app::kLargeScreen), 0);
        host = std::make_unique<LinkHost>(settings, pump,
                                          LinkHostPlaces{home.path(), home.file("sys")});
    }
    std::string registryText() const { return testing::readAll(home.file("registry.reg")); }
    std::string iniText() const { return testing::readAll(home.file("qmx.INI")); }

    testing::TempFolder home;
    app::AppSettings settings;
    FakePump pump;
    std::unique_ptr<LinkHost> host;
};

// Where neither store names a port, the configuration's port stands in and is copied into the
// registry.
TEST(LinkHostSettings, ConfigurationReplacesTheLineAndKeepsTheRunsMachineCode) {
    HostRig rig("", "[RS232C]\nSPEED=4800\n");
    app::LineIndexes line = rig.settings.startup.line;
    line.baud = 4;
    line.flow = 1;
    line.port = 4;
    rig.host->applyConfiguration(line, 5, "AB");
    EXPECT_EQ(rig.host->link().choice().currentPortIndex(), 4);
    EXPECT_THAT(rig.registryText(), HasSubstr("\"Rs232cPort\"=dword:00000004"));
    EXPECT_EQ(rig.host->link().settings().speedIndex, 4);
    EXPECT_EQ(rig.host->link().settings().flowIndex, 1);
    EXPECT_EQ(rig.host->link().settings().commandRetryCount, 5);
    EXPECT_EQ(rig.host->link().identity().machineCode(), "AB");

    // The next configuration starts again from qmx.INI's line; without a machine code of its
    // own it keeps the one the run has.
    rig.host->applyConfiguration(rig.settings.startup.line, 1, "");
    EXPECT_EQ(rig.host->link().settings().speedIndex, 3);
    EXPECT_EQ(rig.host->link().settings().flowIndex, 0);
    EXPECT_EQ(rig.host->link().identity().machineCode(), "AB");
}

} // namespace
} // namespace qmx::app::test
