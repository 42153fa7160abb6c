#include "e2erig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qmx::e2e {
namespace {

using ::testing::HasSubstr;

// A home whose registry file leads qmxctl to the home's qmx.INI and lets the sample open, with a
// copy of the packed sample configuration (machine code Q4).
class QmxctlE2e : public ::testing::Test {
protected:
    void makeHome() {
        home = std::make_unique<Home>(qmxctlHomeSettings());
        config = home->copySample("sample.rcz");
    }

    testing::ProgramRun qmxctl(std::vector<std::string> args) { return runQmxctl(*home, args); }

    std::unique_ptr<Home> home;
    std::string config;
};

TEST_F(QmxctlE2e, APortThisUserMayNotOpenNamesItsGroupAndTheFix) {
    if (geteuid() != 0)
        GTEST_SKIP() << "runs qmxctl as another user, which needs root";
    const group* dialout = getgrnam("dialout");
    if (!dialout)
        GTEST_SKIP() << "no group dialout";
    makeHome();
    // A device of root and the group dialout, as udev makes one; nobody is in neither.
    const std::string device = home->path() + "/ttyUSB0";
    std::ofstream(device).put('\0');
    ASSERT_EQ(chown(device.c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(chmod(device.c_str(), 0660), 0);
    std::filesystem::create_symlink(device, home->comLink(0));

    const testing::ProgramRun run = testing::runProgram(
        "/usr/bin/setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", QMXCTL_PATH,
                             "--home", home->path(), "check", config});

    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("Failed open RS232C port\nThis user may not open the serial "
                                   "port " +
                                   device +
                                   ".\nThe port belongs to the group dialout: "
                                   "add this user to that group (sudo usermod -aG dialout $USER), "
                                   "then log in again.\n"));
}

TEST_F(QmxctlE2e, APortHeldByAnotherProgramNamesIt) {
    makeHome();
    auto sim = startEcusim(*home, 0, {"--machine-code", "Q4", "--monitor", "10:2:300"});
    testing::EcusimProcess monitor(QMXCTL_PATH, {"--home", home->path(), "monitor", config,
                                                 "--ticks", "600", "--items", "Engine speed"});
    ASSERT_THAT(monitor.firstLine(), HasSubstr(",Engine speed,"));

    // A copy of the configuration, since the monitor holds the file open for writing.
    const std::string copy = home->path() + "/copy.rcz";
    std::filesystem::copy_file(config, copy);
    const testing::ProgramRun run = qmxctl({"check", copy});

    EXPECT_EQ(run.status, 1);
    const std::string pts = std::filesystem::canonical(home->comLink(0)).string();
    EXPECT_THAT(run.err,
                HasSubstr("Failed open RS232C port\nThe serial port " + pts +
                          " is in use by qmxctl (" + std::to_string(monitor.pid()) + ").\n"));
}

TEST_F(QmxctlE2e, CheckPrintsSuccessOrTheMessage) {
    const std::tuple<std::vector<std::string>, int, const char*, const char*> cases[] = {
        {{"--machine-code", "Q4"}, 0, "Success\n", ""},
        {{"--silence-after", "0"}, 1, "", "No response from ECU.\n"},
    };
    for (const auto& [ecusim, status, out, err] : cases) {
        SCOPED_TRACE(err);
        makeHome();
        auto sim = startEcusim(*home, 0, ecusim);
        const testing::ProgramRun run = qmxctl({"check", config});
        EXPECT_EQ(run.status, status);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, err);
    }
}

// Bad numbers are refused before the port is touched; a good word goes into the ECU.
TEST_F(QmxctlE2e, PokeRefusesBadNumbersAndWritesAWord) {
    makeHome();
    for (const std::vector<std::string>& numbers : {std::vector<std::string>{"12345", "00"},
                                                    {"8010", "100"},
                                                    {"80g0", "00"},
                                                    {"8010", "12345", "--word"},
                                                    {"", "00"}}) {
        std::vector<std::string> args = {"poke", config};
        args.insert(args.end(), numbers.begin(), numbers.end());
        const testing::ProgramRun run = qmxctl(args);
        EXPECT_EQ(run.status, 1) << numbers[0] << " " << numbers[1];
        EXPECT_THAT(run.err, HasSubstr("qmxctl: "));
    }
    EXPECT_FALSE(std::filesystem::exists(home->logPath()));

    auto sim = startEcusim(*home, 0, {"--machine-code", "Q4"}, true);
    const testing::ProgramRun run = qmxctl({"poke", config, "0x8011", "0x1234", "--word"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "( 8011 ) = 1234\n");
    EXPECT_TRUE(sim->waitForError("stored word 1234 at 8011"));
}

TEST_F(QmxctlE2e, SearchStoresThePortWhereTheEcuAnswers) {
    makeHome();
    auto silent = startEcusim(*home, 0, {"--silence-after", "0"});
    auto good = startEcusim(*home, 2, {});
    const std::string registry = testing::readAll(home->registryPath());
    const std::string ini = testing::readAll(home->iniPath());

    // --port names the port to start from for this run only: nothing is stored.
    testing::ProgramRun run = qmxctl({"--port", "3", "search"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(testing::readAll(home->registryPath()), registry);
    EXPECT_EQ(testing::readAll(home->iniPath()), ini);

    run = qmxctl({"search"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string pts = std::filesystem::canonical(home->comLink(2)).string();
    EXPECT_EQ(run.out, "COM3 " + pts + " was Selected.\n");
    EXPECT_THAT(testing::readAll(home->iniPath()), HasSubstr("PORT=PORT3\n"));
    EXPECT_THAT(testing::readAll(home->registryPath()), HasSubstr("\"Rs232cPort\"=dword:00000002"));
}

} // namespace
} // namespace qmx::e2e
