#pragma once

#include "text/status.h"

#include "ecu/ecuidentity.h"
#include "ecu/linearbiter.h"
#include "ecu/linksettings.h"
#include "ecu/loggedport.h"
#include "ecu/portchoice.h"
#include "ecu/tickcountdown.h"

#include <cstdint>
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

// The serial link to the ECU: the one port and its opening and closing. Its pieces do the rest:
// the logged device (port), the tick and the wait countdown (countdown), who uses the line
// (arbiter), which port to open (choice) and what is known of the ECU (identity).
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

    // Opens the device of port `portIndex` (closing an open port first) with the line settings
    // and a per-byte time-out of `timeoutMs`, and starts the tick when `startTick`; the ECU is
    // not asked. Logs the open and its outcome. Returns 0 or 1518 (problemText() says why).
    text::Status openDevice(bool startTick, int portIndex, int timeoutMs);
    // openDevice, then the ECU check with retries, repeated while the ECU type differs
    // (ECRETRY); the next single-value write checks again. `checkResultOut` gets the check
    // result (0, 1524, 1542, 57651), or -1 when the port did not open. Returns 0 when the port
    // is open (a failed check leaves it open) or 1518.
    text::Status openPort(bool startTick, int portIndex, int timeoutMs,
                          int* checkResultOut = nullptr);
    // The everyday open: the first call of a run searches the port when auto-select is on and
    // stores the port found; then openPort on the current port with TIMEOUT. Returns 0, 1552
    // when the search found no port, or 1518 when the port did not open.
    text::Status openConfiguredPort(bool startTick, int* checkResultOut = nullptr);
    // Closes the port, stops the tick and tells the listener; does nothing when closed.
    void closePort();

    // Reads one byte through the logged port (see LoggedPort::read). A device that hung up is
    // closed at once (problemText() then says so).
    [[nodiscard]] bool readLogged(std::uint8_t& buffer, int& moved, std::string_view label);
    // The logged write; a device that hung up is closed at once.
    [[nodiscard]] bool writeLogged(std::uint8_t byte, int& moved, std::string_view label);
    // Clears a pending line error of the open port.
    void clearLineErrors() { m_port.clearLineErrors(); }
    // Writes an event line with the current system error.
    void logEvent(std::uint8_t byte, int count, int timeoutColumn, std::string_view text) {
        m_port.logEvent(byte, count, timeoutColumn, text);
    }

    // The 100 ms tick: counts the countdown down and runs one monitor poll step.
    void onTick();

    // What went wrong with the device since the port was last opened: why the open failed (a
    // refused permission, a port held by another program) or that the open port was lost.
    // Empty when nothing is known.
    const std::string& problemText() const { return m_problem; }
    // `text` with problemText() on a line of its own behind it when there is one.
    std::string withProblem(std::string text) const;
    // The text of failure `status` for the user, withProblem(); empty for success.
    std::string failureText(text::Status status) const;

    // Stores the auto-select switch when it changes; false when the store could not be written
    // (the switch still holds for this run).
    [[nodiscard]] bool setAutoSelect(bool on);

    bool portOpen() const { return m_port.isOpen(); }
    int openPortIndex() const { return m_openPortIndex; }
    // TIMEOUT, never negative: ms per byte and ticks of the countdown.
    int timeoutSetting() const;
    // Sets the countdown to TIMEOUT ticks.
    void restartCountdown() { m_countdown.set(static_cast<unsigned>(timeoutSetting())); }

    TickCountdown& countdown() { return m_countdown; }
    const TickCountdown& countdown() const { return m_countdown; }
    LineArbiter& arbiter() { return m_arbiter; }
    const LineArbiter& arbiter() const { return m_arbiter; }
    PortChoice& choice() { return m_choice; }
    EcuIdentity& identity() { return m_identity; }
    CommoLog& log() { return m_services.log; }

private:
    // Opens the device without logging its outcome; 0 or 1518.
    text::Status attachDevice(bool startTick, int portIndex, int timeoutMs);
    void logOpenOutcome(int portIndex, std::string_view result);
    // Closes a device that hung up, saying so in the log and in problemText().
    void dropLostDevice();

    LinkSettings m_settings;
    LinkServices m_services;
    LinkListener* m_listener = nullptr;

    LoggedPort m_port;
    TickCountdown m_countdown;
    LineArbiter m_arbiter;
    PortChoice m_choice;
    EcuIdentity m_identity;
    int m_openPortIndex = -1;
    std::string m_problem;
};

} // namespace qmx::ecu
