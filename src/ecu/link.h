#pragma once

#include "ecu/linksettings.h"
#include "platform/serialdevice.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qmx::ecu {

class CommoLog;
class EventPump;
class PortIndexStore;
class PortLister;
class SerialPortFactory;

// Told by the link about its tick and its closing; the monitor poll implements it.
class LinkListener {
public:
    virtual ~LinkListener() = default;
    // One step of the monitor poll, run by every tick while the port is open.
    virtual void pollStep() = 0;
    // The port was closed: a pending monitor item is dropped and its lock hold released.
    virtual void portClosed() = 0;
};

// The host services the link works through; all outlive the link.
struct LinkServices {
    SerialPortFactory& ports;
    PortLister& portLister;
    PortIndexStore& portIndex;
    EventPump& pump;
    CommoLog& log;
};

// The serial link to the ECU: the one port, its 100 ms tick, the wait countdown, the flags that
// keep the monitor and the transfers apart, and the logging wrappers every byte passes through.
// Single-threaded: everything runs on the thread that owns the link.
class Link {
public:
    Link(LinkSettings settings, LinkServices services);
    // Closes the port (logging the close) when it is open.
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    const LinkSettings& settings() const { return m_settings; }
    // Replaces the settings; line settings take effect at the next open.
    void setSettings(const LinkSettings& settings) { m_settings = settings; }
    void setListener(LinkListener* listener) { m_listener = listener; }

    // Opens port `portIndex` (closing an open one first) with the line settings and a per-byte
    // time-out of `timeoutMs`, starts the tick when `startTick`, and runs the ECU check with
    // retries, repeated while the ECU type differs (ECRETRY). Returns whether the port is open;
    // a failed check leaves it open. `checkResultOut` gets the check result (0, 1524, 1542,
    // 57651), or -1 when the port did not open.
    bool openPort(bool startTick, int portIndex, int timeoutMs, int* checkResultOut = nullptr);
    // The everyday open: the first call of a run searches the port when auto-select is on and
    // stores the port found; then opens the current port with TIMEOUT. False when the search
    // failed or the port did not open.
    bool openConfiguredPort(bool startTick);
    // Closes the port, stops the tick and clears the monitor flags; does nothing when closed.
    void closePort();

    // Reads one byte into `buffer`, which is first replaced by its complement so that a read
    // that brings nothing never leaves a stale byte; `moved` is 0 or 1. Logs one line. Returns
    // false when the device failed or the port is closed; a time-out is success with 0 bytes.
    bool readLogged(std::uint8_t& buffer, int& moved, std::string_view label);
    // Writes one byte; `moved` is 0 or 1. Logs one line. False when it could not go out.
    bool writeLogged(std::uint8_t byte, int& moved, std::string_view label);
    // Clears a pending line error of the open port.
    void clearLineErrors();
    // Writes an event line with the current system error.
    void logEvent(std::uint8_t byte, int count, int timeoutColumn, std::string_view text);

    // The 100 ms tick: counts the countdown down and runs one monitor poll step.
    void onTick();
    // One turn of a wait loop: handles at most one pending event without blocking.
    void pumpOneMessage();
    // Handles at most one pending event when none was handled for a few milliseconds, so that
    // bytes that keep arriving without a pause still let timers and repaints through.
    void pumpWhenDue();
    // Waits, handling events, while the monitor is in the middle of an exchange; returns when it
    // is idle, when no tick runs that could finish it, or after a bounded number of ticks.
    void waitForMonitorIdle();
    // Blocks for `ms` milliseconds without handling events (ms <= 0: returns at once).
    void pause(int ms);

    // The port rule of PortIndexStore on this link's stores.
    int currentPortIndex();
    [[nodiscard]] bool setPortIndex(int index);
    // Stores the auto-select switch when it changes; false when the store could not be written
    // (the switch still holds for this run).
    [[nodiscard]] bool setAutoSelect(bool on);

    bool portOpen() const { return m_device != nullptr; }
    int openPortIndex() const { return m_openPortIndex; }
    bool tickRunning() const { return m_tickRunning; }
    // Ticks seen since the link was made, for tests and diagnostics.
    std::uint64_t tickCount() const { return m_tickCount; }

    unsigned timeoutTicks() const { return m_timeoutTicks; }
    void setTimeoutTicks(unsigned ticks) { m_timeoutTicks = ticks; }
    // Sets the countdown to TIMEOUT ticks.
    void restartCountdown();
    // TIMEOUT, never negative: ms per byte and ticks of the countdown.
    int timeoutSetting() const;

    bool foregroundBusy() const { return m_foregroundBusy; }
    void setForegroundBusy(bool on) { m_foregroundBusy = on; }
    bool monitorCycleActive() const { return m_monitorCycleActive; }
    void setMonitorCycleActive(bool on) { m_monitorCycleActive = on; }
    bool transferActive() const { return m_transferActive; }
    void setTransferActive(bool on) { m_transferActive = on; }

    // The re-entrant communication lock: a hold count, taken and released on the owning thread.
    void lockComm() { ++m_commLock; }
    void unlockComm();
    int commLockDepth() const { return m_commLock; }

    // Set when the ECU-type query matched or the check is off; single-value writes check again
    // only while it is clear.
    bool checkPassed() const { return m_checkPassed; }
    void setCheckPassed(bool passed) { m_checkPassed = passed; }
    // The configuration's machine code (at most 2 characters); empty until one is set.
    const std::string& machineCode() const { return m_machineCode; }
    void setMachineCode(std::string_view code) { m_machineCode = code.substr(0, 2); }
    // Whether the once-per-run port search has succeeded (or auto-select was off).
    bool searchDone() const { return m_searchDone; }
    void setSearchDone(bool done) { m_searchDone = done; }

    PortLister& portLister() { return m_services.portLister; }
    CommoLog& log() { return m_services.log; }

private:
    void startTicks();
    void stopTicks();

    LinkSettings m_settings;
    LinkServices m_services;
    LinkListener* m_listener = nullptr;

    std::unique_ptr<platform::SerialDevice> m_device;
    std::chrono::milliseconds m_byteTimeout{0};
    int m_openPortIndex = -1;
    int m_systemError = 0;
    bool m_tickRunning = false;
    std::uint64_t m_tickCount = 0;
    std::chrono::steady_clock::time_point m_lastPump = std::chrono::steady_clock::now();
    unsigned m_timeoutTicks = 0;
    bool m_foregroundBusy = false;
    bool m_monitorCycleActive = false;
    bool m_transferActive = false;
    int m_commLock = 0;
    bool m_checkPassed = false;
    std::string m_machineCode;
    bool m_searchDone = false;
};

// Holds the communication lock for the lifetime of the scope.
class CommLockHold {
public:
    explicit CommLockHold(Link& link) : m_link(link) { m_link.lockComm(); }
    ~CommLockHold() { m_link.unlockComm(); }
    CommLockHold(const CommLockHold&) = delete;
    CommLockHold& operator=(const CommLockHold&) = delete;

private:
    Link& m_link;
};

} // namespace qmx::ecu
