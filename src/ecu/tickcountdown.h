#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace qmx::ecu {

class EventPump;

// The 100 ms tick and the wait countdown it drives, and the turns of the event pump that every
// wait of the protocol takes. Only a tick counts the countdown down, except while no tick runs:
// then each pump turn counts, so that every wait still ends.
class TickCountdown {
public:
    // `pump` must outlive the countdown.
    explicit TickCountdown(EventPump& pump) : m_pump(pump) {}

    // Starts the tick; each due tick calls `onTick` from inside a pump turn.
    void startTicks(std::function<void()> onTick);
    // Stops the tick; harmless when none runs.
    void stopTicks();
    bool running() const { return m_running; }
    // Ticks seen since the link was made, for the monitor's run length and for tests.
    std::uint64_t tickCount() const { return m_tickCount; }
    // Counts one tick; with `countDown` also takes one off the countdown unless it is 0.
    void tick(bool countDown);

    unsigned left() const { return m_left; }
    void set(unsigned ticks) { m_left = ticks; }

    // One turn of a wait loop: handles at most one pending event without blocking.
    void pumpOne();
    // Handles at most one pending event when none was handled for a few milliseconds, so that
    // bytes that keep arriving without a pause still let timers and repaints through.
    void pumpWhenDue();
    // Blocks until the next event (the tick at the latest) has been handled; returns at once when
    // no tick runs.
    void waitOne();
    // Blocks for `ms` milliseconds without handling events (ms <= 0: returns at once).
    void pause(int ms);

private:
    EventPump& m_pump;
    bool m_running = false;
    std::uint64_t m_tickCount = 0;
    unsigned m_left = 0;
    std::chrono::steady_clock::time_point m_lastPump = std::chrono::steady_clock::now();
};

} // namespace qmx::ecu
