#include "platform/termiosserialdevice.h"

#include "support/ecusimprocess.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qmx::sim {
namespace {

using namespace std::chrono_literals;

bool cleanExit(int status) {
    return testing::exitedWith(status, 0);
}

TEST(Ecusim, ServesASingleByteWriteAndEndsCleanlyOnSigterm) {
    const testing::TempFolder folder;
    const auto link = std::filesystem::path(folder.path()) / "ports" / "COM5";

    testing::EcusimProcess sim(ECUSIM_PATH, {"--link", link.string()});
    ASSERT_GT(sim.pid(), 0);
    const std::string slave = sim.firstLine();
    ASSERT_FALSE(slave.empty());
    EXPECT_EQ(std::filesystem::read_symlink(link), slave);

    platform::TermiosSerialDevice device;
    platform::LineSettings settings;
    settings.xonXoff = false;
    ASSERT_EQ(device.open(link.string(), settings), 0);
    for (const std::uint8_t byte : {0x53, 0x12, 0x34, 0xAB}) {
        ASSERT_TRUE(device.write(byte, 1s));
        std::uint8_t echo = 0;
        ASSERT_EQ(device.read(echo, 5s), platform::ReadResult::Byte);
        EXPECT_EQ(echo, byte);
    }
    device.close();

    ASSERT_EQ(kill(sim.pid(), SIGTERM), 0);
    EXPECT_TRUE(cleanExit(sim.exitStatus()));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(Ecusim, EndsCleanlyWhenStandardInputCloses) {
    testing::EcusimProcess sim(ECUSIM_PATH, {});
    ASSERT_FALSE(sim.firstLine().empty());
    sim.closeStdin();
    EXPECT_TRUE(cleanExit(sim.exitStatus()));
}

} // namespace
} // namespace qmx::sim
