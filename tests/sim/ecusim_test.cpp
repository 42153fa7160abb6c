#include "platform/termiosserialdevice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qmx::sim {
namespace {

using namespace std::chrono_literals;

// The real ecusim binary with pipes on its standard input and output.
class EcusimProcess {
public:
    explicit EcusimProcess(std::vector<std::string> args) {
        int in[2];
        int out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        args.insert(args.begin(), ECUSIM_PATH);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, ECUSIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        m_stdin = in[1];
        m_stdout = out[0];
    }
    ~EcusimProcess() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        closeStdin();
        ::close(m_stdout);
    }

    // The first line of its output, read with a deadline; empty when none came.
    std::string firstLine() {
        std::string line;
        char c = 0;
        while (waitReadable(10s) && ::read(m_stdout, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    void closeStdin() {
        if (m_stdin >= 0)
            ::close(m_stdin);
        m_stdin = -1;
    }
    // Waits for the process to end (its output closes first); returns the wait status or -1.
    int exitStatus() {
        char c = 0;
        while (waitReadable(10s) && ::read(m_stdout, &c, 1) == 1) {
        }
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) != m_pid && waitpid(m_pid, &status, 0) != m_pid)
            return -1;
        m_pid = -1;
        return status;
    }
    pid_t pid() const { return m_pid; }

private:
    bool waitReadable(std::chrono::milliseconds deadline) {
        pollfd entry{m_stdout, POLLIN, 0};
        return ::poll(&entry, 1, static_cast<int>(deadline.count())) == 1;
    }

    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_stdout = -1;
};

bool cleanExit(int status) {
    return status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(Ecusim, ServesASingleByteWriteAndEndsCleanlyOnSigterm) {
    std::string folder = (std::filesystem::path(testing::TempDir()) / "ecusim-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(folder.data()));
    const auto link = std::filesystem::path(folder) / "ports" / "COM5";

    EcusimProcess sim({"--link", link.string()});
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
    std::filesystem::remove_all(folder);
}

TEST(Ecusim, EndsCleanlyWhenStandardInputCloses) {
    EcusimProcess sim({});
    ASSERT_FALSE(sim.firstLine().empty());
    sim.closeStdin();
    EXPECT_TRUE(cleanExit(sim.exitStatus()));
}

} // namespace
} // namespace qmx::sim
