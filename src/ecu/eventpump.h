#pragma once

#include <chrono>
#include <functional>

namespace qmx::ecu {

// The message loop the protocol's waits turn while they wait: the desktop program takes timer
// and repaint events from Qt, qmxctl and tests use a steady-clock ticker.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Starts the 100 ms tick, replacing a running one; each due tick calls `onTick` from inside
    // pumpOne or waitOne, never from another thread.
    virtual void startTicks(std::function<void()> onTick) = 0;
    // Stops the tick; no further call of the tick function follows.
    virtual void stopTicks() = 0;
    // Handles at most one pending event (a due tick, a repaint) and returns without blocking.
    virtual void pumpOne() = 0;
    // Blocks until at least one event has been handled; returns at once when no tick runs.
    virtual void waitOne() = 0;
    // Blocks the thread for `duration` without handling any event (the protocol's fixed pauses).
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

} // namespace qmx::ecu
