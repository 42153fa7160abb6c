#include "ecu/steadyclockpump.h"

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

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
