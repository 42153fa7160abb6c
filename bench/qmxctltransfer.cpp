// Times whole `qmxctl read` and `qmxctl write` processes, as a technician runs them, against a
// 4 KiB data area served by ecusim with line-rate emulation, and prints each as its wall time
// over the line-rate bound (every character of the commands and the records crosses the line
// twice, out and back as its echo, at 10 bit times). The home holds the bundled qmx.INI and the
// bundled sample with its data area widened to 4 KiB. Each rate runs twice: first as a user runs
// it, then with the benchmark, qmxctl and ecusim on one processor, which leaves out the cost of
// waking a process on another processor (large on virtual machines) and so shows what the
// program itself spends. Arguments: the baud rates to run (default 19200) and "--runs N"
// (default 3; the median run is printed).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/ectapp.h"
#include "config/srecords.h"
#include "ecu/datapane.h"
#include "ecu/ecuwrite.h"
#include "quietrun.h"
#include "support/ecusimprocess.h"
#include "text/streamsink.h"

#include <sched.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint16_t kLow = 0x8000;
constexpr std::uint16_t kHigh = 0x8FFF;

// Runs qmxctl with `args`, its output to /dev/null; the wall time in seconds, or -1 when it
// failed.
double timedQmxctl(std::vector<std::string> args) {
    args.insert(args.begin(), QMXCTL_PATH);
    const auto start = Clock::now();
    const bool ok = qmx::bench::runQuietly(std::move(args));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return ok ? wall : -1.0;
}

// A QMX home with the bundled qmx.INI, port COM1 stored, and the sample widened to 4 KiB.
struct Home {
    explicit Home(const fs::path& folder) : path(folder), config((folder / "bench.rcz").string()) {
        fs::create_directories(path / "ports");
        fs::copy_file(SAMPLES_DIR "/qmx.INI", path / "qmx.INI");
        std::ofstream(path / "registry.reg")
            << "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n"
               "\"Install Directory\"=\""
            << path.string()
            << "\"\n\"Rs232cPortAutoSelect\"=dword:00000000\n\"Rs232cPort\"=dword:00000000\n";

        qmx::app::CEctApp app;
        if (app.start({path.string(), path.string(), "qmx"}, qmx::app::kLargeScreen) != 0 ||
            app.openConfiguration(SAMPLES_DIR "/sample.rcz", qmx::app::FileLayout::Packed) != 0)
            return;
        qmx::config::EcuImage& image = app.configuration().image;
        image.setRange(kLow, kHigh);
        for (std::uint32_t a = kLow; a <= kHigh; ++a)
            image.setByte(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 31 + 7));
        qmx::config::fixImageChecksum(image);
        qmx::ecu::DataPane pane;
        qmx::ecu::loadEditData(qmx::app::documentOf(app), pane);
        characters = 2;
        for (const std::string& record : qmx::ecu::recordTexts(pane))
            characters += static_cast<double>(record.size());
        qmx::text::StreamSink sink(std::cerr, qmx::text::Unattended::Decline);
        ok = app.saveAs(config, sink) == 0;
    }

    fs::path path;
    std::string config;
    double characters = 0; // that cross the line twice: the command letters and the records
    bool ok = false;
};

// The median wall time of `runs` runs of `command` against a fresh ecusim at `baud`.
double medianRun(const Home& home, const std::string& command, int baud, int runs) {
    std::vector<double> walls;
    for (int run = 0; run < runs; ++run) {
        qmx::testing::EcusimProcess sim(ECUSIM_PATH, {"--link", (home.path / "ports/COM1").string(),
                                                      "--image", home.config, "--machine-code",
                                                      "Q4", "--baud", std::to_string(baud)});
        if (sim.firstLine().empty())
            return -1.0;
        const double wall = timedQmxctl({"--home", home.path.string(), command, home.config});
        if (wall < 0)
            return -1.0;
        walls.push_back(wall);
    }
    std::nth_element(walls.begin(), walls.begin() + runs / 2, walls.end());
    return walls[static_cast<std::size_t>(runs / 2)];
}

// Keeps this process and the processes it starts from now on to the first processor it may use.
bool keepToOneProcessor() {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return false;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &allowed)) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(cpu, &one);
            return sched_setaffinity(0, sizeof one, &one) == 0;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> bauds;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            bauds.push_back(std::atoi(argv[i]));
    }
    if (bauds.empty())
        bauds.push_back(19200);

    char pattern[] = "/tmp/qmx-qmxctltransfer-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    int status = 0;
    {
        const Home home(pattern);
        status = home.ok ? 0 : 1;
        for (const bool oneProcessor : {false, true}) {
            if (oneProcessor && !keepToOneProcessor())
                break;
            const char* processors = oneProcessor ? "one processor" : "all processors";
            for (const int baud : bauds) {
                for (const char* command : {"read", "write"}) {
                    if (status != 0)
                        break;
                    const double wall = medianRun(home, command, baud, runs);
                    if (wall < 0) {
                        std::fprintf(stderr, "qmxctl %s at %d baud failed\n", command, baud);
                        status = 1;
                        break;
                    }
                    const double bound = home.characters * 2 * 10 / baud;
                    std::printf("qmxctl %-5s 4 KiB %5d baud (whole process, %s, median of "
                                "%d): wall %6.2f s, bound %6.2f s, wall/bound %.3f\n",
                                command, baud, processors, runs, wall, bound, wall / bound);
                    std::fflush(stdout);
                }
            }
        }
    }
    fs::remove_all(pattern);
    return status;
}
