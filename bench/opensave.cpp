// Times opening and saving a configuration whose [Data] section covers all 64 KiB, beside
// srec_cat reading and writing the same S-records as S19, and prints the ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "app/ectapp.h"
#include "config/ecuimage.h"
#include "config/srecords.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 15;

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The median of `kRuns` timed calls of `body`, in milliseconds; false from `body` aborts.
double medianMs(const std::function<bool()>& body) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        if (!body())
            return -1.0;
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

bool runSrecCat(const std::string& in, const std::string& out) {
    std::vector<std::string> args{"srec_cat", in, "-o", out, "-Output_Block_Size", "16"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "srec_cat", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace

int main() {
    char pattern[] = "/tmp/qmxbench.XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::string folder = pattern;

    // 64 KiB of random bytes as S1 records.
    auto image = std::make_unique<qmx::config::EcuImage>();
    std::mt19937 random(1);
    for (std::size_t address = 0; address < qmx::config::EcuImage::Size; ++address)
        image->setByte(static_cast<std::uint16_t>(address), static_cast<std::uint8_t>(random()));
    std::vector<std::string> records;
    qmx::config::encodeSRecords(*image, 0, qmx::config::EcuImage::Size, records);
    std::string s19;
    for (const std::string& record : records)
        s19 += record + "\n";
    std::string config = "[Title]\nBenchmark\n[Data]\nCalib:\n" + s19 + "Fixed:\n" +
                         "[Config Map]\n1000,1100,1000\nM,0,0\nZ,0,1,x,x\nX,0,1,x,x\nY,0,1,x,x\n"
                         "1,a\n1,b\n";
    writeFile(folder + "/full.rcg", config);
    writeFile(folder + "/full.s19", s19);
    writeFile(folder + "/qmx.INI", "[RS232C]\n");
    writeFile(folder + "/registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n"
                                        "\"Install Directory\"=\"" +
                                            folder + "\"\n");

    auto app = std::make_unique<qmx::app::CEctApp>();
    if (app->start({folder, folder, "qmx"}, qmx::app::kLargeScreen) != 0)
        return 1;
    const double ours = medianMs([&] {
        return app->openConfiguration(folder + "/full.rcg", qmx::app::FileLayout::Plain) == 0 &&
               app->save() == 0;
    });
    const double peer =
        medianMs([&] { return runSrecCat(folder + "/full.s19", folder + "/out.s19"); });
    std::filesystem::remove_all(folder);
    if (ours < 0.0 || peer < 0.0) {
        std::fprintf(stderr, "openSave: a run failed\n");
        return 1;
    }
    std::printf("openSave: open + save of a 64 KiB configuration (%zu records): %.2f ms\n",
                records.size() - 1, ours);
    std::printf("openSave: srec_cat reading and writing the same S19:        %.2f ms\n", peer);
    std::printf("openSave: ratio (open + save / srec_cat): %.2f\n", ours / peer);
    return 0;
}
