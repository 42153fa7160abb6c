#include "support/ecusimprocess.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace qmx::sim {
namespace {

// ecusim links its terminal where it is asked to, and ends cleanly with the link removed on
// SIGTERM or when its standard input closes. What it serves is shown by the end-to-end tests.
TEST(Ecusim, EndsCleanlyOnSigtermOrClosedInputAndRemovesItsLink) {
    for (const bool sigterm : {true, false}) {
        SCOPED_TRACE(sigterm ? "SIGTERM" : "standard input closed");
        const testing::TempFolder folder;
        const auto link = std::filesystem::path(folder.path()) / "ports" / "COM5";
        testing::EcusimProcess sim(ECUSIM_PATH, {"--link", link.string()});
        const std::string slave = sim.firstLine();
        ASSERT_FALSE(slave.empty());
        EXPECT_EQ(std::filesystem::read_symlink(link), slave);
        if (sigterm)
            ASSERT_EQ(::kill(sim.pid(), SIGTERM), 0);
        else
            sim.closeStdin();
        EXPECT_TRUE(testing::exitedWith(sim.exitStatus(), 0));
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    }
}

} // namespace
} // namespace qmx::sim
