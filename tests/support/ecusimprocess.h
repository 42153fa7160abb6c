#pragma once

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace qmx::testing {

// A child process (ecusim, qmxctl) with pipes on its standard input and output, and on its
// standard error when asked. Every wait has a deadline; the process is killed when the object
// goes.
class EcusimProcess {
public:
    // Starts `program` with `args`; `captureErrors` keeps its standard error for
    // waitForError() instead of passing it through.
    EcusimProcess(const std::string& program, std::vector<std::string> args,
                  bool captureErrors = false) {
        int in[2];
        int out[2];
        int err[2] = {-1, -1};
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 ||
            (captureErrors && pipe2(err, O_CLOEXEC) != 0))
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        if (captureErrors)
            posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        if (captureErrors)
            ::close(err[1]);
        m_stdin = in[1];
        m_stdout = out[0];
        m_stderr = err[0];
    }
    ~EcusimProcess() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        closeStdin();
        for (const int fd : {m_stdout, m_stderr}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    EcusimProcess(const EcusimProcess&) = delete;
    EcusimProcess& operator=(const EcusimProcess&) = delete;

    // The next line of its output, read with a deadline; empty when none came.
    std::string firstLine() {
        const auto end = Clock::now() + kDeadline;
        std::size_t newline = std::string::npos;
        while ((newline = m_output.find('\n')) == std::string::npos && readMore(end)) {
        }
        if (newline == std::string::npos)
            return {};
        std::string line = m_output.substr(0, newline);
        m_output.erase(0, newline + 1);
        return line;
    }
    // Waits until the captured standard error holds `text`; false when it does not within
    // `deadline` or the output ends first.
    bool waitForError(std::string_view text, std::chrono::milliseconds deadline = kDeadline) {
        const auto end = Clock::now() + deadline;
        while (m_errors.find(text) == std::string::npos) {
            if (!readMore(end))
                return false;
        }
        return true;
    }
    // The captured standard error up to now.
    const std::string& errors() const { return m_errors; }
    void closeStdin() {
        if (m_stdin >= 0)
            ::close(m_stdin);
        m_stdin = -1;
    }
    // Waits for the process to end (its output closes first); returns the wait status, or -1,
    // also when it never started.
    int exitStatus() {
        const auto end = Clock::now() + kDeadline;
        while (readMore(end)) {
        }
        int status = 0;
        if (m_pid < 0 || waitpid(m_pid, &status, 0) != m_pid)
            return -1;
        m_pid = -1;
        return status;
    }
    // The standard output not yet taken by firstLine().
    const std::string& output() const { return m_output; }
    pid_t pid() const { return m_pid; }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kDeadline{10000};

    // Waits until `end` for more output on either pipe and keeps it; false when the time is up
    // or both pipes have closed.
    bool readMore(Clock::time_point end) {
        pollfd entries[2] = {{m_stdout, POLLIN, 0}, {m_stderr, POLLIN, 0}};
        if (m_stdout < 0 && m_stderr < 0)
            return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0 || ::poll(entries, 2, static_cast<int>(left.count())) <= 0)
            return false;
        keep(entries[0], m_stdout, m_output);
        keep(entries[1], m_stderr, m_errors);
        return true;
    }
    static void keep(const pollfd& entry, int& fd, std::string& text) {
        if (fd < 0 || entry.revents == 0)
            return;
        char buffer[4096];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
            return;
        }
        ::close(fd);
        fd = -1;
    }

    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_stdout = -1;
    int m_stderr = -1;
    std::string m_errors;
    std::string m_output;
};

// True when `status` (from exitStatus) is a normal exit with code `code`.
inline bool exitedWith(int status, int code) {
    return status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == code;
}

// What a program run to its end left behind.
struct ProgramRun {
    int status = -1; // exit code, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `args` and an empty standard input to its end.
inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args) {
    EcusimProcess process(program, args, true);
    process.closeStdin();
    const int status = process.exitStatus();
    return {status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, process.output(),
            process.errors()};
}

} // namespace qmx::testing
