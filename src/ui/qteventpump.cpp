#include "ui/qteventpump.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <thread>

namespace qmx::ui {

QtEventPump::QtEventPump() {
    m_timer.setInterval(kTickMs);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &QtEventPump::tick);
}

void QtEventPump::startTicks(std::function<void()> onTick) {
    m_onTick = std::move(onTick);
    m_timer.start();
}

void QtEventPump::stopTicks() {
    m_timer.stop();
    m_onTick = nullptr;
}

void QtEventPump::pumpOne() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtEventPump::waitOne() {
    if (!m_timer.isActive())
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::WaitForMoreEvents);
}

void QtEventPump::sleep(std::chrono::milliseconds duration) {
    if (duration.count() > 0)
        std::this_thread::sleep_for(duration);
}

void QtEventPump::tick() {
    ++m_ticks;
    // The tick may stop or restart the ticks; run a copy so the function stays alive meanwhile.
    if (const std::function<void()> onTick = m_onTick)
        onTick();
}

} // namespace qmx::ui
