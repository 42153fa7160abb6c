#pragma once

#include "ecu/eventpump.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace qmx::ui {

// The event pump of the desktop program: the link's 100 ms tick is a QTimer, and a wait turns
// Qt's event loop with user input held back, so timers and repaints keep running during an
// exchange while no command can start another one.
class QtEventPump : public QObject, public ecu::EventPump {
public:
    static constexpr int kTickMs = 100;

    QtEventPump();

    void startTicks(std::function<void()> onTick) override;
    void stopTicks() override;
    // Handles the pending events except user input; never blocks.
    void pumpOne() override;
    // Waits for an event (the tick at the latest) and handles it; returns at once when no tick
    // runs, since nothing might ever arrive.
    void waitOne() override;
    void sleep(std::chrono::milliseconds duration) override;

    // Ticks delivered since the pump was made.
    std::uint64_t ticksDelivered() const { return m_ticks; }

private:
    void tick();

    QTimer m_timer;
    std::function<void()> m_onTick;
    std::uint64_t m_ticks = 0;
};

} // namespace qmx::ui
