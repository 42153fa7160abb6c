#include "e2erig.h"

#include "config/linelist.h"
#include "config/packedfile.h"
#include "config/srecords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

// qmxctl read, write and verify against ecusim.
namespace qmx::e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// A home where qmxctl finds its settings, with a copy of the packed sample (machine code Q4).
class QmxctlTransferE2e : public ::testing::Test {
protected:
    QmxctlTransferE2e() : home(qmxctlHomeSettings()), config(home.copySample("sample.rcz")) {}

    testing::ProgramRun qmxctl(std::vector<std::string> args) { return runQmxctl(home, args); }

    // An S-record file of the sample's data with the byte at `address` set to `value`.
    std::string changedSampleData(std::uint16_t address, std::uint8_t value) {
        config::CLineList lines;
        config::EcuImage image;
        EXPECT_EQ(config::readPackedFile(config, lines), 0);
        EXPECT_EQ(config::loadDataSection(lines, image), 0);
        image.setByte(address, value);
        return home.writeSRecords(image, image.low(), image.high() - image.low() + 1u);
    }

    std::unique_ptr<testing::EcusimProcess> ecusim(std::vector<std::string> args) {
        args.insert(args.end(), {"--machine-code", "Q4"});
        return startEcusim(home, 0, args);
    }

    Home home;
    std::string config;
};

TEST_F(QmxctlTransferE2e, ReadSavesTheEcuDataVerifyListsWhatDiffersAndWriteMakesThemSame) {
    // Idle speed (0x8010, LSB 10) reads 120 in the ECU.
    auto sim = ecusim({"--image", changedSampleData(0x8010, 12)});
    const std::string copy = home.path() + "/read.rcz";

    testing::ProgramRun run = qmxctl({"read", config, "--as", copy});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Complete\n");
    EXPECT_THAT(run.err, StartsWith("Read from ECU\nWait...3%\n"));

    run = qmxctl({"verify", config, "--edit-file", copy});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "ORIGINAL;  Edit Data  [ " + config + " ]\nVERIFY;  File Data  [ " + copy +
                           " ]\n* Label;  Edit  File\nIdle speed;  800  120\n\n");

    run = qmxctl({"write", config});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Write complete\n");
    EXPECT_THAT(run.err, HasSubstr("Write to ECU\n"));

    const std::string log = home.path() + "/verify.log";
    run = qmxctl({"verify", config, "--edit-ecu", "--log", log});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("]\nSame\n"));
    EXPECT_EQ(testing::readAll(log), run.out);
}

// Runs qmxctl --home `home` `args` with its standard error on a pseudo-terminal (in raw mode, so
// that the bytes come as written); returns what the terminal received.
std::string errorsOnATerminal(const Home& home, std::vector<std::string> args) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return "no pseudo-terminal";
    const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, slave, STDERR_FILENO);
    args.insert(args.begin(), {QMXCTL_PATH, "--home", home.path()});
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, QMXCTL_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(slave);
    // The terminal reports its end (EIO) once qmxctl, its last user, has gone.
    std::string text;
    char buffer[256];
    pollfd entry{master, POLLIN, 0};
    while (::poll(&entry, 1, 20000) == 1) {
        const ssize_t got = ::read(master, buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    waitpid(pid, nullptr, 0);
    ::close(master);
    return text;
}

TEST_F(QmxctlTransferE2e, ProgressOnATerminalIsOneLineUpdatedInPlace) {
    auto sim = ecusim({"--image", config});
    const std::string errors = errorsOnATerminal(home, {"read", config});
    EXPECT_THAT(errors, StartsWith("Read from ECU\n\rWait...3%\rWait...6%\rWait...10%\r"));
    EXPECT_THAT(errors, ::testing::EndsWith("\rWait...100%\n"));
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 2);
}

} // namespace
} // namespace qmx::e2e
