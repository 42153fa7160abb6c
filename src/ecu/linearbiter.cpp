#include "ecu/linearbiter.h"

#include "ecu/tickcountdown.h"

#include <cstdint>

namespace qmx::ecu {

namespace {

// A monitor exchange ends within 10 ticks and the next idle tick lets its claim go; a wait for it
// gives up after twice that.
constexpr std::uint64_t kMonitorIdleTicks = 20;

} // namespace

ForegroundHold::ForegroundHold(LineArbiter& arbiter, TickCountdown& ticks) : m_arbiter(arbiter) {
    ++m_arbiter.m_foreground;
    const std::uint64_t start = ticks.tickCount();
    while (m_arbiter.monitorCycleActive() && ticks.running() &&
           ticks.tickCount() - start < kMonitorIdleTicks)
        ticks.waitOne();
}

} // namespace qmx::ecu
