#include "fakes.h"

#include <cerrno>
#include <sstream>

#include <gtest/gtest.h>

namespace qmx::ecu::test {

namespace {

class FakeDevice : public platform::SerialDevice {
public:
    explicit FakeDevice(FakeLine& line) : m_line(line) {}

    bool write(std::uint8_t byte, milliseconds) override {
        if (m_line.hungUp)
            return false;
        m_line.written.push_back(byte);
        if (m_line.respond) {
            const Bytes reply = m_line.respond(byte);
            m_line.pending.insert(m_line.pending.end(), reply.begin(), reply.end());
        }
        return true;
    }

    platform::ReadResult read(std::uint8_t& byte, milliseconds) override {
        ++m_line.reads;
        if (m_line.hungUp)
            return platform::ReadResult::Error;
        if (m_line.endless || !m_line.pending.empty()) {
            byte = m_line.endless ? 'X' : m_line.pending.front();
            if (!m_line.endless)
                m_line.pending.pop_front();
            return platform::ReadResult::Byte;
        }
        return platform::ReadResult::Timeout;
    }

    void clearLineErrors() override {}
    int lastError() const override { return m_line.hungUp ? EIO : 0; }

private:
    FakeLine& m_line;
};

} // namespace

std::function<Bytes(std::uint8_t)> ecu(Bytes type) {
    return [=](std::uint8_t byte) {
        return byte == 0xBF ? type : byte == 0xBE ? Bytes{'7', 'E'} : Bytes{byte};
    };
}

PortOpenResult FakePorts::open(int portIndex, const platform::LineSettings&) {
    const auto found = m_lines.find(portIndex);
    if (found == m_lines.end())
        return {nullptr, ENOENT, {}};
    opened.push_back(portIndex);
    return {std::make_unique<FakeDevice>(found->second), 0, {}};
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

bool FakePortStore::setRegistryPort(int index) {
    registry = index;
    return true;
}

bool FakePortStore::writeProfilePort(std::string_view text) {
    profile = std::stoi(std::string(text.substr(4))) - 1;
    return true;
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
    ASSERT_EQ(log.open(folder.file("commo.log"), false, "test", sink), 0);
}

std::vector<std::string> LinkRig::logLines() const {
    return logLinesOf(folder.file("commo.log"));
}

std::vector<std::string> logLinesOf(const std::string& path) {
    const std::string text = testing::readAll(path);
    std::istringstream in(text.substr(text.find("\n\n") + 2));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace qmx::ecu::test
