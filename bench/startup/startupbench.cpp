// Start-up time to a visible main window: qmx (settings, the hidden main frame, the splash with
// ShowSplashTime 0, the maximised frame's first paint) beside a minimal Qt Widgets program that
// shows one empty main window. Each program runs as a fresh process, with the platform the
// environment names (offscreen when none); prints the medians and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Runs `program` once; the milliseconds until it ended, or a negative number on failure.
double runOnce(const char* program) {
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1.0;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    char pattern[] = "/tmp/qmxbench.XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::filesystem::path home = pattern;
    std::ofstream(home / "registry.reg")
        << "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n"
        << "\"Install Directory\"=\"" << SAMPLES_DIR << "\"\n"
        << "\"Rs232cPortAutoSelect\"=dword:00000000\n\"ShowSplashTime\"=dword:00000000\n";
    setenv("QMX_HOME", home.c_str(), 1);
    setenv("QMX_EXIT_WHEN_SHOWN", "1", 1);
    setenv("QT_QPA_PLATFORM",
           std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", 1);

    std::vector<double> qmx;
    std::vector<double> minimal;
    for (int i = 0; i < runs; ++i) {
        const double a = runOnce(QMX_PATH);
        const double b = runOnce(MINIMAL_PATH);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "a program failed to start\n");
            std::filesystem::remove_all(home);
            return 1;
        }
        qmx.push_back(a);
        minimal.push_back(b);
    }
    std::filesystem::remove_all(home);
    const double q = median(qmx);
    const double m = median(minimal);
    std::printf("start-up to a visible main window, median of %d runs (%s)\n", runs,
                std::getenv("QT_QPA_PLATFORM"));
    std::printf("  qmx             %8.1f ms\n", q);
    std::printf("  minimal window  %8.1f ms\n", m);
    std::printf("  ratio qmx/minimal %.2f\n", q / m);
    return 0;
}
