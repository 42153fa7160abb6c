#include "ecu/link.h"

#include "ecu/commolog.h"
#include "ecu/ecucheck.h"
#include "ecu/portindexstore.h"
#include "ecu/portsearch.h"
#include "ecu/serialportfactory.h"
#include "platform/comports.h"
#include "text/messages.h"

#include <algorithm>
#include <cerrno>

namespace qmx::ecu {

namespace {

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
    : m_settings(std::move(settings)), m_services(services), m_port(services.log),
      m_countdown(services.pump), m_choice(services.portIndex, services.portLister) {
}

Link::~Link() {
    closePort();
}

text::Status Link::attachDevice(bool startTick, int portIndex, int timeoutMs) {
    closePort();
    logEvent(0, 0, 0, "** Open " + platform::comName(portIndex));
    m_problem.clear();

    const std::optional<platform::LineSettings> line = lineSettingsFor(m_settings);
    if (!line || portIndex < 0 || portIndex > platform::MaxPortIndex)
        return text::msg::FailedOpenPort;
    PortOpenResult opened = m_services.ports.open(portIndex, *line);
    if (!opened.device) {
        m_port.setSystemError(opened.error);
        m_problem = std::move(opened.problem);
        return text::msg::FailedOpenPort;
    }
    m_port.setSystemError(0);
    m_port.attach(std::move(opened.device), std::chrono::milliseconds(std::max(0, timeoutMs)));
    m_openPortIndex = portIndex;
    // A fresh line: the ECU at its end has not identified itself yet.
    m_identity.forgetCheck();
    if (startTick)
        m_countdown.startTicks([this] { onTick(); });
    return text::msg::Success;
}

void Link::logOpenOutcome(int portIndex, std::string_view result) {
    logEvent(0, portOpen() ? 1 : 0, 0,
             "** R Open " + platform::comName(portIndex) + ":" + std::string(result));
}

text::Status Link::openDevice(bool startTick, int portIndex, int timeoutMs) {
    const text::Status opened = attachDevice(startTick, portIndex, timeoutMs);
    logOpenOutcome(portIndex, openResultText(opened.ok() ? text::msg::Success : -1));
    return opened;
}

text::Status Link::openPort(bool startTick, int portIndex, int timeoutMs, int* checkResultOut) {
    text::Status opened = attachDevice(startTick, portIndex, timeoutMs);
    int checkResult = -1;
    if (opened.ok())
        checkResult = identifyAtOpen(*this).message();
    if (checkResultOut)
        *checkResultOut = checkResult;
    logOpenOutcome(portIndex, openResultText(checkResult));
    // The device may have hung up while the ECU was asked.
    if (opened.ok() && !portOpen())
        opened = text::msg::FailedOpenPort;
    return opened;
}

text::Status Link::openConfiguredPort(bool startTick, int* checkResultOut) {
    if (!m_choice.searchDone()) {
        if (m_settings.autoSelect) {
            int found = -1;
            if (!searchPort(*this, &found))
                return text::msg::AutoSelectFailed;
            // A store that cannot be written does not hold up the transfer: the port found
            // serves this run, and the log says that it was not kept.
            if (!m_choice.setPortIndex(found))
                logEvent(0, 0, 0, "** Not stored " + platform::comName(found));
        } else {
            m_choice.setSearchDone(true);
        }
    }
    return openPort(startTick, m_choice.currentPortIndex(), timeoutSetting(), checkResultOut);
}

void Link::closePort() {
    if (!portOpen())
        return;
    m_port.release();
    m_countdown.stopTicks();
    if (m_listener)
        m_listener->portClosed();
    if (m_openPortIndex == -1)
        m_openPortIndex = m_choice.currentPortIndex();
    logEvent(0, 1, 0, "** Close " + platform::comName(m_openPortIndex));
    m_openPortIndex = -1;
}

bool Link::readLogged(std::uint8_t& buffer, int& moved, std::string_view label) {
    const bool ok = m_port.read(buffer, moved, m_countdown.left(), label);
    if (!ok && m_port.hungUp())
        dropLostDevice();
    return ok;
}

bool Link::writeLogged(std::uint8_t byte, int& moved, std::string_view label) {
    const bool ok = m_port.write(byte, moved, m_countdown.left(), label);
    if (!ok && m_port.hungUp())
        dropLostDevice();
    return ok;
}

void Link::dropLostDevice() {
    const std::string com = platform::comName(m_openPortIndex);
    logEvent(0, 0, 0, "** Lost " + com);
    m_problem = text::messageText(text::msg::PortLost, com);
    closePort();
}

void Link::onTick() {
    m_countdown.tick(portOpen());
    if (portOpen() && m_listener)
        m_listener->pollStep();
}

std::string Link::withProblem(std::string text) const {
    if (!m_problem.empty())
        text += "\n" + m_problem;
    return text;
}

std::string Link::failureText(text::Status status) const {
    if (status.ok())
        return {};
    return withProblem(std::string(text::messageText(status)));
}

bool Link::setAutoSelect(bool on) {
    if (on == m_settings.autoSelect)
        return true;
    m_settings.autoSelect = on;
    return m_services.portIndex.setAutoSelect(on);
}

int Link::timeoutSetting() const {
    return std::max(0, m_settings.timeout);
}

} // namespace qmx::ecu
