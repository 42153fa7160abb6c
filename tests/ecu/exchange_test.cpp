#include "ecu/exchange.h"

#include "fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

// Port 0 open with the tick running and the ECU check off.
struct OpenRig : LinkRig {
    explicit OpenRig(int timeout = 50, bool tick = true)
        : LinkRig(uncheckedSettings(timeout)), line(ports.line(0)) {
        EXPECT_EQ(link.openPort(tick, 0, timeout), 0);
    }
    FakeLine& line;
};

TEST(InComm, FailsWithoutEndRecordOrPastTheTextLimit) {
    OpenRig rig(30);
    RecordingProgress progress;
    std::string received;
    std::string address;
    rig.line.send("S1040100AE4C"); // ends in 'C', but no "S9" came
    EXPECT_FALSE(InComm(rig.link, received, address, progress, 0));
    // TIMEOUT ticks of silence; one more turn may come while the text flows.
    EXPECT_GE(rig.pump.ticks, 30);
    EXPECT_LE(rig.pump.ticks, 31);

    received.clear();
    rig.line.endless = true;
    EXPECT_FALSE(InComm(rig.link, received, address, progress, 0));
    EXPECT_EQ(received.size(), kReceivedTextLimit);
}

TEST(DrainPort, AcceptsAPauseBefore2048Bytes) {
    for (const std::size_t bytes : {0, 2047, 2048, 5000}) {
        SCOPED_TRACE(bytes);
        OpenRig rig;
        rig.line.send(std::string(bytes, 'U'));
        EXPECT_EQ(drainPort(rig.link, "ReadEcu_GetRestDataFromPort"), bytes < 2048);
        EXPECT_EQ(rig.line.reads, static_cast<int>(std::min<std::size_t>(bytes + 1, 2048)));
    }
}

} // namespace
} // namespace qmx::ecu::test
