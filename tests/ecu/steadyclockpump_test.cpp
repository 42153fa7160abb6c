#include "ecu/steadyclockpump.h"

#include "ecu/exchange.h"
#include "fakes.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

double processorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

TEST(SteadyClockPump, WaitingForASilentEcuUsesLittleProcessorTime) {
    FakePorts ports;
    ports.line(0).blocking = true; // reads wait their time-out, as the termios device does
    FakeLister lister;
    FakePortStore store;
    SteadyClockPump pump;
    CommoLog log;
    Link link(uncheckedSettings(25), LinkServices{ports, lister, store, pump, log});
    ASSERT_TRUE(link.openPort(true, 0, 25)); // 25 ms per read, 25 ticks: about 2.5 s

    const double cpuBefore = processorSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    EXPECT_FALSE(OutComm(link, 0x4C, 0));
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    const double cpu = processorSeconds() - cpuBefore;

    EXPECT_EQ(link.tickCount(), 25u);
    // A wait that spun would burn about as much processor time as wall time.
    EXPECT_LT(cpu, 0.2 * wall.count()) << "cpu " << cpu << " s, wall " << wall.count() << " s";
}

TEST(SteadyClockPump, WaitOneDeliversOneDueTickAndReturnsWhenStopped) {
    SteadyClockPump pump;
    int ticks = 0;
    pump.startTicks([&] {
        if (++ticks == 2)
            pump.stopTicks();
    });
    for (int i = 0; i < 4; ++i)
        pump.waitOne();
    pump.pumpOne();
    EXPECT_EQ(ticks, 2);
}

} // namespace
} // namespace qmx::ecu::test
