#pragma once

#include "ecu/commolog.h"
#include "ecu/eventpump.h"
#include "ecu/link.h"
#include "ecu/portindexstore.h"
#include "ecu/portlister.h"
#include "ecu/progresswindow.h"
#include "ecu/serialportfactory.h"
#include "support/recorders.h"
#include "support/tempfolder.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Stand-ins for the host services of the link: scripted serial lines, one tick per event turn,
// recording stores, sinks and progress windows.
namespace qmx::ecu::test {

using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;

// The far end of one fake port. A read of an empty queue times out at once, so waits are counted
// in fake ticks.
struct FakeLine {
    std::function<Bytes(std::uint8_t)> respond; // reply to each written byte; unset: silent
    std::deque<std::uint8_t> pending;           // bytes waiting for the host
    bool endless = false;                       // the far end never stops sending 'X'
    bool hungUp = false;                        // the cable is pulled: every read and write fails
    Bytes written;
    int reads = 0;

    void send(const std::string& text) { pending.insert(pending.end(), text.begin(), text.end()); }
};

// An ECU that answers the type query 0xBF with `type`, the machine query 0xBE with "7E" and
// echoes every other byte.
std::function<Bytes(std::uint8_t)> ecu(Bytes type = {'K', 'D'});

class FakePorts : public SerialPortFactory {
public:
    // The line behind port `index`, made on first use; ports without a line fail with ENOENT.
    FakeLine& line(int index) { return m_lines[index]; }
    PortOpenResult open(int portIndex, const platform::LineSettings& line) override;
    std::vector<int> opened;

private:
    std::map<int, FakeLine> m_lines;
};

// Each event turn delivers one tick while ticks run.
class FakePump : public EventPump {
public:
    void startTicks(std::function<void()> onTick) override { m_onTick = std::move(onTick); }
    void stopTicks() override { m_onTick = nullptr; }
    void pumpOne() override;
    void waitOne() override;
    void sleep(milliseconds) override {}

    int ticks = 0;
    int waits = 0;

private:
    std::function<void()> m_onTick;
};

class FakePortStore : public PortIndexStore {
public:
    int registryPort() const override { return registry; }
    bool setRegistryPort(int index) override;
    int profilePort() const override { return profile; }
    bool writeProfilePort(std::string_view text) override;
    int configurationPort() const override { return configuration; }
    bool setAutoSelect(bool) override { return true; }

    int registry = -1;
    int profile = 0;
    int configuration = -1;
};

class FakeLister : public PortLister {
public:
    std::vector<PortInfo> enumerate() override {
        ++calls;
        return ports;
    }
    std::vector<PortInfo> ports;
    int calls = 0;
};

using qmx::testing::RecordingProgress;
using qmx::testing::RecordingSink;
using qmx::testing::ShownMessage;

// Standard settings with auto-select off.
LinkSettings testSettings();
// testSettings() with the ECU check switched off and TIMEOUT `timeout`.
LinkSettings uncheckedSettings(int timeout = 50);

// The lines of the communication log at `path` below its header.
std::vector<std::string> logLinesOf(const std::string& path);

// A link wired to fakes, with a log whose time column is the fake pump's ticks × 100 ms.
struct LinkRig {
    explicit LinkRig(LinkSettings settings = testSettings());
    // Opens the log in a fresh temporary folder; its header carries "test".
    void openLog();
    // The log lines below the header.
    std::vector<std::string> logLines() const;

    testing::TempFolder folder;
    FakePorts ports;
    FakeLister lister;
    FakePortStore store;
    FakePump pump;
    RecordingSink sink;
    CommoLog log;
    Link link;
};

} // namespace qmx::ecu::test
