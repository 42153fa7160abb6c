#pragma once

#include "ecu/eventpump.h"

#include <chrono>
#include <functional>

namespace qmx::ecu {

// The event pump of qmxctl and the tests: the only event is the 100 ms tick, timed by the steady
// clock. Ticks that fall due while the thread is busy are delivered as one, as a window timer
// would be.
class SteadyClockPump : public EventPump {
public:
    static constexpr std::chrono::milliseconds kTickPeriod{100};

    // The first tick falls due one period from now.
    void startTicks(std::function<void()> onTick) override;
    void stopTicks() override;
    // Delivers the tick when it is due; never blocks.
    void pumpOne() override;
    // Sleeps until the tick is due, then delivers it; returns at once when no tick runs.
    void waitOne() override;
    void sleep(std::chrono::milliseconds duration) override;

private:
    std::function<void()> m_onTick;
    std::chrono::steady_clock::time_point m_due;
};

} // namespace qmx::ecu
