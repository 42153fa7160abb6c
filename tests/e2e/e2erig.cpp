#include "e2erig.h"

#include "config/srecords.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qmx::e2e {

Home::Home(const HomeSettings& settings) {
    std::ostringstream registry;
    registry << "Windows Registry Editor Version 5.00\n\n"
             << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n"
             << "\"CommoLog\"=\"" << logPath() << "\"\n"
             << "\"CommoLogDelete\"=dword:00000001\n"
             << "\"Rs232cPortAutoSelect\"=dword:00000000\n"
             << "\"ScanSelectedPortTimeout\"=\"" << settings.timeout << "\"\n"
             << "\"SequentialScanPortTimeout\"=\"" << settings.timeout << "\"\n";
    if (!settings.ecuCheckResult.empty())
        registry << "\"EcuCheckResult\"=" << settings.ecuCheckResult << "\n";
    if (settings.installHere)
        registry << "\"Install Directory\"=\"" << path() << "\"\n";
    for (const std::string& line : settings.registryLines)
        registry << line << "\n";
    m_folder.write("registry.reg", registry.str());

    std::ostringstream ini;
    ini << "[RS232C]\nSPEED=9600\nDATA=8BIT\nPARITY=NON\nSTOP=" << settings.stop
        << "\nXFLLOW=NO\nPORT=PORT1\nTIMEOUT=" << settings.timeout
        << "\nWAITTIME=10\nRETRY=2\nECRETRY=1\n";
    m_folder.write("qmx.INI", ini.str());

    std::filesystem::create_directories(sysfsRoot());
    std::filesystem::create_directories(std::filesystem::path(path()) / "ports");
}

std::filesystem::path Home::comLink(int portIndex) const {
    return std::filesystem::path(path()) / "ports" / ("COM" + std::to_string(portIndex + 1));
}

std::string Home::copySample(const std::string& name) const {
    return m_folder.write(name, testing::readAll(std::string(SAMPLES_DIR) + "/" + name));
}

std::vector<std::pair<long, std::string>> Home::timedLogLines() const {
    std::istringstream in(testing::readAll(logPath()));
    std::vector<std::pair<long, std::string>> lines;
    bool body = false;
    for (std::string line; std::getline(in, line);) {
        if (!body) {
            body = line.starts_with("time, Buffer"); // the header's last line
            continue;
        }
        const std::size_t comma = line.find(", ");
        if (comma != std::string::npos)
            lines.emplace_back(std::stol(line.substr(0, comma)), line.substr(comma + 2));
    }
    return lines;
}

std::vector<std::string> Home::logLines() const {
    std::vector<std::string> lines;
    for (auto& [time, line] : timedLogLines())
        lines.push_back(std::move(line));
    return lines;
}

std::string Home::writeSRecords(const config::EcuImage& image, std::uint16_t start,
                                std::size_t count) const {
    std::vector<std::string> records;
    config::encodeSRecords(image, start, count, records);
    std::string text;
    for (const std::string& record : records)
        text += record + "\n";
    return m_folder.write("ecu.s19", text);
}

std::unique_ptr<testing::EcusimProcess> startEcusim(const Home& home, int portIndex,
                                                    std::vector<std::string> args, bool trace) {
    args.insert(args.begin(), {"--link", home.comLink(portIndex).string()});
    if (trace)
        args.emplace_back("--trace");
    auto process = std::make_unique<testing::EcusimProcess>(ECUSIM_PATH, args, trace);
    // ecusim names its terminal once the link is in place.
    EXPECT_FALSE(process->firstLine().empty()) << "ecusim did not start";
    return process;
}

Rig::Rig(const HomeSettings& homeSettings) : home(homeSettings) {
    const app::StartupPlaces places{home.path(), home.path(), "qmx"};
    EXPECT_EQ(app::loadAppSettings(settings, places, app::kLargeScreen), 0);
    host = std::make_unique<app::LinkHost>(settings, pump,
                                           app::LinkHostPlaces{home.path(), home.sysfsRoot()});
    EXPECT_EQ(host->openLog("e2e", sink), 0);
}

HomeSettings qmxctlHomeSettings() {
    HomeSettings settings;
    settings.timeout = 50;
    settings.installHere = true;
    settings.registryLines = {"\"MachineFolder\"=\"QX400T\"", "\"Rs232cPort\"=dword:00000000"};
    return settings;
}

testing::ProgramRun runQmxctl(const Home& home, std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.path()});
    return testing::runProgram(QMXCTL_PATH, args);
}

} // namespace qmx::e2e
