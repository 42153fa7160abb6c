#include "ecu/tickcountdown.h"

#include "ecu/eventpump.h"

namespace qmx::ecu {

void TickCountdown::startTicks(std::function<void()> onTick) {
    m_pump.startTicks(std::move(onTick));
    m_running = true;
}

void TickCountdown::stopTicks() {
    if (!m_running)
        return;
    m_pump.stopTicks();
    m_running = false;
}

void TickCountdown::tick(bool countDown) {
    ++m_tickCount;
    if (countDown && m_left > 0)
        --m_left;
}

void TickCountdown::pumpOne() {
    m_pump.pumpOne();
    m_lastPump = std::chrono::steady_clock::now();
    // Without the tick nothing would count the wait down; count the turn itself so that every
    // wait ends.
    if (!m_running && m_left > 0)
        --m_left;
}

void TickCountdown::pumpWhenDue() {
    // Often enough for smooth repainting, rarely enough to cost nothing on the line.
    constexpr auto kInterval = std::chrono::milliseconds(10);
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastPump < kInterval)
        return;
    m_pump.pumpOne();
    m_lastPump = now;
}

void TickCountdown::waitOne() {
    m_pump.waitOne();
    m_lastPump = std::chrono::steady_clock::now();
}

void TickCountdown::pause(int ms) {
    if (ms > 0)
        m_pump.sleep(std::chrono::milliseconds(ms));
}

} // namespace qmx::ecu
