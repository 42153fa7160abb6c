#pragma once

#include "app/appsettings.h"
#include "app/linkhost.h"
#include "config/ecuimage.h"
#include "ecu/steadyclockpump.h"
#include "support/ecusimprocess.h"
#include "support/recorders.h"
#include "support/tempfolder.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What end-to-end tests share: a QMX home with its own short time-outs, ecusim serving a COM
// link of that home, and the real link host over the home's settings.
namespace qmx::e2e {

// The settings a test home holds. Every home has XON/XOFF off (a pseudo-terminal swallows
// 0x11 and 0x13), PORT1 without auto-select, 9600 baud, 8 bits, no parity, a log with
// CommoLogDelete, RETRY 2, WAITTIME 10 and ECRETRY 1.
struct HomeSettings {
    int timeout = 100;          // TIMEOUT: ms per byte and 100 ms ticks per wait
    std::string stop = "1BIT";  // STOP
    std::string ecuCheckResult; // data of EcuCheckResult ("hex:00,00"); empty: absent
    bool installHere = false;   // Install Directory names the home, where qmxctl finds qmx.INI
    std::vector<std::string> registryLines; // further value lines of the registry file
};

// A temporary QMX home: registry.reg, qmx.INI, ports/ and an empty stand-in for /sys/class/tty,
// so that the machine's own serial ports never take part.
class Home {
public:
    explicit Home(const HomeSettings& settings);

    std::string path() const { return m_folder.path(); }
    std::filesystem::path comLink(int portIndex) const;
    std::string logPath() const { return m_folder.file("log/commo.log"); }
    std::string iniPath() const { return m_folder.file("qmx.INI"); }
    std::string registryPath() const { return m_folder.file("registry.reg"); }
    std::filesystem::path sysfsRoot() const { return m_folder.file("sys"); }
    // Copies samples/`name` into the home; returns the copy's path.
    std::string copySample(const std::string& name) const;
    // The log lines below its header as (time column in ms, rest of the line).
    std::vector<std::pair<long, std::string>> timedLogLines() const;
    // The log lines below its header, each without its time column.
    std::vector<std::string> logLines() const;
    // Writes `count` bytes of `image` from `start` as the S-record file ecu.s19; returns its path.
    std::string writeSRecords(const config::EcuImage& image, std::uint16_t start,
                              std::size_t count) const;

private:
    testing::TempFolder m_folder;
};

// Starts ecusim with `args` on a pseudo-terminal linked as port `portIndex` of `home`; returns
// once the link exists. `trace` captures its trace on standard error for waitForError().
std::unique_ptr<testing::EcusimProcess>
startEcusim(const Home& home, int portIndex, std::vector<std::string> args, bool trace = false);

// A home where qmxctl finds its qmx.INI, the packed sample (machine code Q4) opens and start-up
// copies no port into the registry file.
HomeSettings qmxctlHomeSettings();

// Runs qmxctl --home `home` `args` to its end.
testing::ProgramRun runQmxctl(const Home& home, std::vector<std::string> args);

// The settings loaded from a fresh home and a link host over them, its log opened with the
// version text "e2e".
struct Rig {
    explicit Rig(const HomeSettings& homeSettings = {});
    ecu::Link& link() { return host->link(); }

    Home home;
    app::AppSettings settings;
    ecu::SteadyClockPump pump;
    testing::RecordingSink sink;
    testing::RecordingProgress progress;
    std::unique_ptr<app::LinkHost> host;
};

} // namespace qmx::e2e
