#include "ecu/steadyclockpump.h"

#include <thread>

namespace qmx::ecu {

void SteadyClockPump::startTicks(std::function<void()> onTick) {
    m_onTick = std::move(onTick);
    m_due = std::chrono::steady_clock::now() + kTickPeriod;
}

void SteadyClockPump::stopTicks() {
    m_onTick = nullptr;
}

void SteadyClockPump::pumpOne() {
    if (!m_onTick)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now < m_due)
        return;
    m_due += kTickPeriod;
    if (m_due <= now)
        m_due = now + kTickPeriod;
    // The tick may stop or restart the ticks; run a copy so the function stays alive meanwhile.
    const std::function<void()> tick = m_onTick;
    tick();
}

void SteadyClockPump::waitOne() {
    if (!m_onTick)
        return;
    std::this_thread::sleep_until(m_due);
    pumpOne();
}

void SteadyClockPump::sleep(std::chrono::milliseconds duration) {
    if (duration.count() > 0)
        std::this_thread::sleep_for(duration);
}

} // namespace qmx::ecu
