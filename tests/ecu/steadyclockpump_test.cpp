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
