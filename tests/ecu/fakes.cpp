#include "fakes.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qmx::ecu::test {

namespace {

class FakeDevice : public platform::SerialDevice {
public:
    explicit FakeDevice(FakeLine& line) : m_line(line) {}

    bool write(std::uint8_t byte, milliseconds) override {
        m_line.written.push_back(byte);
        if (m_line.respond) {
            const Bytes reply = m_line.respond(byte);
            m_line.pending.insert(m_line.pending.end(), reply.begin(), reply.end());
        }
        return true;
    }

    platform::ReadResult read(std::uint8_t& byte, milliseconds timeout) override {
        ++m_line.reads;
        m_line.readTimeouts.push_back(timeout);
        if (m_line.failReads)
            return platform::ReadResult::Error;
        if (m_line.endless || !m_line.pending.empty()) {
            byte = m_line.endless ? 'X' : m_line.pending.front();
            if (!m_line.endless)
                m_line.pending.pop_front();
            return platform::ReadResult::Byte;
        }
        if (m_line.blocking)
            std::this_thread::sleep_for(timeout);
        return platform::ReadResult::Timeout;
    }

    void clearLineErrors() override {}
    int lastError() const override { return m_line.failReads ? EIO : 0; }

private:
    FakeLine& m_line;
};

} // namespace

std::function<Bytes(std::uint8_t)> ecu(Bytes type, Bytes machine, int wrongFor) {
    return [=](std::uint8_t byte) {
        if (byte == wrongFor)
            return Bytes{0x00};
        return byte == 0xBF ? type : byte == 0xBE ? machine : Bytes{byte};
    };
}

PortOpenResult FakePorts::open(int portIndex, const platform::LineSettings&) {
    const auto found = m_lines.find(portIndex);
    if (found == m_lines.end())
        return {nullptr, ENOENT};
    opened.push_back(portIndex);
    return {std::make_unique<FakeDevice>(found->second), 0};
}

void FakePump::pumpOne() {
    if (!m_onTick)
        return;
    ++ticks;
    const std::function<void()> tick = m_onTick;
    tick();
}

void FakePump::waitOne() {
    ++waits;
    pumpOne();
}

void FakePortStore::setRegistryPort(int index) {
    registry = index;
    registryWrites.push_back(index);
}

void FakePortStore::writeProfilePort(std::string_view text) {
    profileWrites.emplace_back(text);
    profile = std::stoi(std::string(text.substr(4))) - 1;
}

LinkSettings testSettings() {
    LinkSettings settings;
    settings.autoSelect = false;
    return settings;
}

LinkSettings uncheckedSettings(int timeout) {
    LinkSettings settings = testSettings();
    settings.ecuCode = {0, 0};
    settings.timeout = timeout;
    return settings;
}

LinkRig::LinkRig(LinkSettings settings)
    : log([this] { return pump.ticks * 100LL; }),
      link(std::move(settings), LinkServices{ports, lister, store, pump, log}) {
}

void LinkRig::openLog() {
    logPath = freshFolder() / "commo.log";
    ASSERT_EQ(log.open(logPath.string(), false, "test", sink), 0);
}

std::string LinkRig::logText() const {
    return readFile(logPath);
}

std::vector<std::string> LinkRig::logLines() const {
    const std::string text = logText();
    std::istringstream in(text.substr(text.find("\n\n") + 2));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

namespace {

std::filesystem::path temporaryRoot() {
    return std::filesystem::temp_directory_path() / ("qmx-ecu-" + std::to_string(::getpid()));
}

// Removes the temporary folders of this test process when the tests end.
class TemporaryCleanup : public ::testing::Environment {
public:
    void TearDown() override { std::filesystem::remove_all(temporaryRoot()); }
};

const ::testing::Environment* const kCleanup =
    ::testing::AddGlobalTestEnvironment(new TemporaryCleanup);

} // namespace

std::filesystem::path freshFolder() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder =
        temporaryRoot() / (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool matchesGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path golden = std::filesystem::path(TEST_DATA_DIR "/ecu") / name;
    const std::filesystem::path actualPath = golden.string() + ".actual";
    if (std::filesystem::exists(golden) && readFile(golden) == actual) {
        std::filesystem::remove(actualPath);
        return true;
    }
    std::ofstream(actualPath, std::ios::binary) << actual;
    return false;
}

} // namespace qmx::ecu::test
