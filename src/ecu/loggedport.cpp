#include "ecu/loggedport.h"

#include "ecu/commolog.h"

namespace qmx::ecu {

void LoggedPort::attach(std::unique_ptr<platform::SerialDevice> device,
                        std::chrono::milliseconds byteTimeout) {
    m_device = std::move(device);
    m_byteTimeout = byteTimeout;
}

bool LoggedPort::read(std::uint8_t& buffer, int& moved, unsigned ticks, std::string_view label) {
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
    m_log.readLine(buffer, moved, static_cast<int>(ticks), m_systemError, label);
    return ok;
}

bool LoggedPort::write(std::uint8_t byte, int& moved, unsigned ticks, std::string_view label) {
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
    m_log.writeLine(byte, moved, static_cast<int>(ticks), m_systemError, label);
    return ok;
}

void LoggedPort::clearLineErrors() {
    if (m_device)
        m_device->clearLineErrors();
}

void LoggedPort::logEvent(std::uint8_t byte, int count, int timeoutColumn, std::string_view text) {
    m_log.eventLine(byte, count, timeoutColumn, m_systemError, text);
}

} // namespace qmx::ecu
