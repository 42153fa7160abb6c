// Times reads and writes of the ECU's data area through ecusim with line-rate emulation, and
// prints each as its wall time over the line-rate bound (every character of the commands and
// the records crosses the line twice, out and back as its echo, at 10 bit times) and as the
// process CPU time per transferred kilobyte. Arguments: the sizes to run, "4k" and/or "full"
// (default both).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <vector>

#include "app/appsettings.h"
#include "app/configuration.h"
#include "app/linkhost.h"
#include "config/srecords.h"
#include "ecu/ecuread.h"
#include "ecu/ecuwrite.h"
#include "ecu/progresswindow.h"
#include "ecu/steadyclockpump.h"
#include "support/ecusimprocess.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
    const char* name;
    std::uint16_t low;
    std::uint16_t high;
};

class SilentSink : public qmx::text::MessageSink {
public:
    qmx::text::Answer show(std::string_view text, std::string_view, qmx::text::Icon,
                           qmx::text::Buttons) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        return qmx::text::Answer::Ok;
    }
};

class NoProgress : public qmx::ecu::ProgressWindow {
public:
    void open(std::string_view) override {}
    void setStatus(std::string_view) override {}
    void setRetry(std::string_view) override {}
    void close() override {}
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A QMX home whose port COM1 is ecusim, the ECU check on, TIMEOUT 20 ms and no retries.
struct Bench {
    explicit Bench(const std::filesystem::path& folder) : home(folder) {
        std::filesystem::create_directories(home / "ports");
        std::filesystem::create_directories(home / "sys");
        std::ofstream(home / "registry.reg")
            << "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n"
               "\"Rs232cPortAutoSelect\"=dword:00000000\n\"Rs232cPort\"=dword:00000000\n";
        std::ofstream(home / "qmx.INI") << "[RS232C]\nSPEED=19200\nDATA=8BIT\nPARITY=NON\n"
                                           "STOP=1BIT\nXFLLOW=NO\nPORT=PORT1\nTIMEOUT=20\n"
                                           "WAITTIME=10\nRETRY=0\nECRETRY=0\nCommandRetrycount=0\n";
        const qmx::app::StartupPlaces places{home.string(), home.string(), "qmx"};
        ok = qmx::app::loadAppSettings(settings, places, qmx::app::kLargeScreen) == 0;
        host = std::make_unique<qmx::app::LinkHost>(settings, pump,
                                                    qmx::app::LinkHostPlaces{home, home / "sys"});
    }

    struct Measurement {
        bool ok = false;
        double wall = 0;       // seconds
        double cpu = 0;        // seconds of this process
        double characters = 0; // that cross the line twice: the command letters and the records
        double kilobytes = 0;
    };

    // One transfer of `c` through ecusim emulating `baud` (0: no line-rate emulation).
    Measurement transfer(const Case& c, int baud, bool write) {
        char range[16];
        std::snprintf(range, sizeof range, "%04X-%04X", c.low, c.high);
        qmx::testing::EcusimProcess sim(ECUSIM_PATH,
                                        {"--link", (home / "ports" / "COM1").string(), "--range",
                                         range, "--baud", std::to_string(baud)});
        Measurement measured;
        if (sim.firstLine().empty())
            return measured;

        auto configuration = std::make_unique<qmx::app::Configuration>();
        configuration->image.setRange(c.low, c.high);
        for (std::uint32_t a = c.low; a <= c.high; ++a)
            configuration->image.setByte(static_cast<std::uint16_t>(a),
                                         static_cast<std::uint8_t>(a * 31 + 7));
        qmx::config::fixImageChecksum(configuration->image);
        configuration->path = "bench.rcz";
        qmx::text::NumberFormats formats;
        std::optional<std::vector<std::uint8_t>> snapshot;
        qmx::ecu::EcuDocument document{configuration->lines,
                                       configuration->maps,
                                       formats,
                                       configuration->path,
                                       settings.registryValues.machineFolder,
                                       snapshot};
        qmx::ecu::TransferContext context{host->link(), progress, sink};
        qmx::ecu::CompareData data;

        qmx::ecu::DataPane pane;
        qmx::ecu::loadEditData(document, pane);
        measured.characters = 2;
        for (const std::string& record : qmx::ecu::recordTexts(pane))
            measured.characters += static_cast<double>(record.size());
        measured.kilobytes = static_cast<double>(pane.count()) / 1024.0;

        const double cpuBefore = cpuSeconds();
        const auto start = Clock::now();
        const qmx::text::Status result = write ? qmx::ecu::writeToEcu(context, document, data)
                                               : qmx::ecu::readFromEcu(context, document, data);
        measured.wall = std::chrono::duration<double>(Clock::now() - start).count();
        measured.cpu = cpuSeconds() - cpuBefore;
        measured.ok = result.ok();
        if (!measured.ok)
            std::fprintf(stderr, "%s failed: %s\n", write ? "write" : "read",
                         data.errorText.c_str());
        return measured;
    }

    // Prints the line of one transfer at `baud`; false when it failed.
    bool run(const Case& c, int baud, bool write) {
        const Measurement m = transfer(c, baud, write);
        if (!m.ok)
            return false;
        const double bound = m.characters * 2 * 10 / baud;
        std::printf("%-5s %-9s %5d baud: wall %8.2f s, bound %8.2f s, wall/bound %.3f, "
                    "CPU %.3f ms/KiB\n",
                    write ? "write" : "read", c.name, baud, m.wall, bound, m.wall / bound,
                    m.cpu * 1000 / m.kilobytes);
        std::fflush(stdout);
        return true;
    }

    // Prints what every character costs beside its line time: a read without emulation.
    bool runUnpaced(const Case& c) {
        const Measurement m = transfer(c, 0, false);
        if (!m.ok)
            return false;
        std::printf("read  %-9s no line rate: %.0f us per character out and back (the cost of the "
                    "terminal and the scheduler that every character adds to its line time)\n",
                    c.name, m.wall * 1e6 / m.characters);
        std::fflush(stdout);
        return true;
    }

    std::filesystem::path home;
    qmx::app::AppSettings settings;
    qmx::ecu::SteadyClockPump pump;
    SilentSink sink;
    NoProgress progress;
    std::unique_ptr<qmx::app::LinkHost> host;
    bool ok = false;
};

} // namespace

int main(int argc, char** argv) {
    // The emulated line times each character with a timed wait; the default 50 µs timer slack,
    // inherited by ecusim, would add itself to every character.
    prctl(PR_SET_TIMERSLACK, 1UL);

    std::vector<Case> cases;
    const std::vector<std::string> sizes = argc > 1
                                               ? std::vector<std::string>(argv + 1, argv + argc)
                                               : std::vector<std::string>{"4k", "full"};
    for (const std::string& size : sizes) {
        if (size == "4k")
            cases.push_back({"4 KiB", 0x8000, 0x8FFF});
        else if (size == "full")
            cases.push_back({"64 KiB", 0x0000, 0xFFFF});
    }

    char pattern[] = "/tmp/qmx-ecutransfer-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::filesystem::path folder = pattern;
    int status = 0;
    {
        Bench bench(folder);
        if (!bench.ok || !bench.runUnpaced({"4 KiB", 0x8000, 0x8FFF}))
            status = 1;
        for (const Case& c : cases) {
            for (const int baud : {9600, 19200}) {
                for (const bool write : {false, true}) {
                    if (status == 0 && !bench.run(c, baud, write))
                        status = 1;
                }
            }
        }
    }
    std::filesystem::remove_all(folder);
    return status;
}
