#include "ecu/link.h"

#include "ecu/commolog.h"
#include "ecu/ecucheck.h"
#include "ecu/eventpump.h"
#include "ecu/portindexstore.h"
#include "ecu/portsearch.h"
#include "ecu/serialportfactory.h"
#include "platform/comports.h"
#include "text/messages.h"

#include <algorithm>
#include <cerrno>

namespace qmx::ecu {

namespace {

// A monitor exchange ends within 10 ticks and the next idle tick clears its flag; a wait for it
// gives up after twice that, so a poll that never clears the flag cannot hold a write forever.
constexpr std::uint64_t kMonitorIdleTicks = 20;

// The result text of an open, as the log shows it behind "** R Open COMn:".
std::string openResultText(int checkResult) {
    switch (checkResult) {
    case text::msg::Success:
        return "Success";
    case text::msg::NoResponseFromEcu:
    case text::msg::EcuTypeDifferent:
    case text::msg::EcuTypeDifferentBang:
        return std::string(text::messageText(checkResult));
    default:
        return "Failed in opening";
    }
}

} // namespace

Link::Link(LinkSettings settings, LinkServices services)
    : m_settings(std::move(settings)), m_services(services) {
}

Link::~Link() {
    closePort();
}

bool Link::openPort(bool startTick, int portIndex, int timeoutMs, int* checkResultOut) {
    closePort();
    logEvent(0, 0, 0, "** Open " + platform::comName(portIndex));

    const std::optional<platform::LineSettings> line = lineSettingsFor(m_settings);
    if (line && portIndex >= 0 && portIndex <= platform::MaxPortIndex) {
        PortOpenResult opened = m_services.ports.open(portIndex, *line);
        m_device = std::move(opened.device);
        m_systemError = m_device ? 0 : opened.error;
    }
    if (portOpen() && startTick)
        startTicks();
    m_byteTimeout = std::chrono::milliseconds(std::max(0, timeoutMs));

    int checkResult = -1;
    if (portOpen()) {
        const int checks = std::max(0, m_settings.ecRetry) + 1;
        for (int check = 0; check < checks; ++check) {
            checkResult = EcuCheckCommand(*this, true).message();
            if (checkResult != text::msg::EcuTypeDifferent)
                break;
        }
        // The next single-value write identifies the ECU again.
        m_checkPassed = false;
    }
    if (checkResultOut)
        *checkResultOut = checkResult;

    logEvent(0, portOpen() ? 1 : 0, 0,
             "** R Open " + platform::comName(portIndex) + ":" + openResultText(checkResult));
    if (portOpen())
        m_openPortIndex = portIndex;
    return portOpen();
}

bool Link::openConfiguredPort(bool startTick) {
    if (!m_searchDone) {
        if (m_settings.autoSelect) {
            int found = -1;
            if (!searchPort(*this, &found))
                return false;
            // A store that cannot be written does not hold up the transfer: the port found
            // serves this run, and the log says that it was not kept.
            if (!setPortIndex(found))
                logEvent(0, 0, 0, "** Not stored " + platform::comName(found));
        } else {
            m_searchDone = true;
        }
    }
    return openPort(startTick, currentPortIndex(), timeoutSetting());
}

void Link::closePort() {
    if (!portOpen())
        return;
    m_device.reset();
    m_monitorCycleActive = false;
    m_foregroundBusy = false;
    stopTicks();
    if (m_listener)
        m_listener->portClosed();
    if (m_openPortIndex == -1)
        m_openPortIndex = currentPortIndex();
    logEvent(0, 1, 0, "** Close " + platform::comName(m_openPortIndex));
    m_openPortIndex = -1;
}

bool Link::readLogged(std::uint8_t& buffer, int& moved, std::string_view label) {
    buffer = static_cast<std::uint8_t>(~buffer);
    moved = 0;
    m_systemError = 0;
    bool ok = false;
    if (m_device) {
        std::uint8_t byte = 0;
        switch (m_device->read(byte, m_byteTimeout)) {
        case platform::ReadResult::Byte:
            buffer = byte;
            moved = 1;
            ok = true;
            break;
        case platform::ReadResult::Timeout:
            ok = true;
            break;
        case platform::ReadResult::Error:
            m_systemError = m_device->lastError();
            break;
        }
    } else {
        m_systemError = EBADF;
    }
    m_services.log.readLine(buffer, moved, static_cast<int>(m_timeoutTicks), m_systemError, label);
    return ok;
}

bool Link::writeLogged(std::uint8_t byte, int& moved, std::string_view label) {
    moved = 0;
    m_systemError = 0;
    bool ok = false;
    if (m_device) {
        ok = m_device->write(byte, m_byteTimeout);
        if (ok)
            moved = 1;
        else
            m_systemError = m_device->lastError();
    } else {
        m_systemError = EBADF;
    }
    m_services.log.writeLine(byte, moved, static_cast<int>(m_timeoutTicks), m_systemError, label);
    return ok;
}

void Link::clearLineErrors() {
    if (m_device)
        m_device->clearLineErrors();
}

void Link::logEvent(std::uint8_t byte, int count, int timeoutColumn, std::string_view text) {
    m_services.log.eventLine(byte, count, timeoutColumn, m_systemError, text);
}

void Link::onTick() {
    ++m_tickCount;
    if (!portOpen())
        return;
    if (m_timeoutTicks > 0)
        --m_timeoutTicks;
    if (m_listener)
        m_listener->pollStep();
}

void Link::pumpOneMessage() {
    m_services.pump.pumpOne();
    m_lastPump = std::chrono::steady_clock::now();
    // Without the tick nothing would count the wait down; count the turn itself so that every
    // wait ends.
    if (!m_tickRunning && m_timeoutTicks > 0)
        --m_timeoutTicks;
}

void Link::pumpWhenDue() {
    // Often enough for smooth repainting, rarely enough to cost nothing on the line.
    constexpr auto kInterval = std::chrono::milliseconds(10);
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastPump < kInterval)
        return;
    m_services.pump.pumpOne();
    m_lastPump = now;
}

void Link::waitForMonitorIdle() {
    const std::uint64_t start = m_tickCount;
    while (m_monitorCycleActive && m_tickRunning && m_tickCount - start < kMonitorIdleTicks)
        m_services.pump.waitOne();
}

void Link::pause(int ms) {
    if (ms > 0)
        m_services.pump.sleep(std::chrono::milliseconds(ms));
}

int Link::currentPortIndex() {
    return ecu::currentPortIndex(m_services.portIndex);
}

bool Link::setPortIndex(int index) {
    return ecu::setPortIndex(m_services.portIndex, index);
}

bool Link::setAutoSelect(bool on) {
    if (on == m_settings.autoSelect)
        return true;
    m_settings.autoSelect = on;
    return m_services.portIndex.setAutoSelect(on);
}

void Link::restartCountdown() {
    m_timeoutTicks = static_cast<unsigned>(timeoutSetting());
}

int Link::timeoutSetting() const {
    return std::max(0, m_settings.timeout);
}

void Link::unlockComm() {
    if (m_commLock > 0)
        --m_commLock;
}

void Link::startTicks() {
    m_services.pump.startTicks([this] { onTick(); });
    m_tickRunning = true;
}

void Link::stopTicks() {
    if (!m_tickRunning)
        return;
    m_services.pump.stopTicks();
    m_tickRunning = false;
}

} // namespace qmx::ecu
