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
        EXPECT_TRUE(link.openPort(tick, 0, timeout));
    }
    FakeLine& line;
};

const std::string kTwoRecords = "S11301000102030405060708090A0B0C0D0E0F1063"
                                "S11301101112131415161718191A1B1C1D1E1F2053"
                                "S9030000FC";

TEST(OutComm, WrongEchoFailsAtOnce) {
    OpenRig rig;
    rig.line.respond = ecu({}, {}, 0x4C);
    EXPECT_FALSE(OutComm(rig.link, 0x4C, 0));
    EXPECT_EQ(rig.pump.ticks, 0);
    EXPECT_EQ(rig.line.reads, 1);
}

TEST(Waits, SilentEcuTimesOutAfterTimeoutTicks) {
    std::uint8_t byte = 0;
    const struct {
        const char* what;
        std::function<bool(Link&)> wait;
        bool tick;
        int ticks;
    } cases[] = {
        {"OutComm", [](Link& link) { return OutComm(link, 0x4C, 0); }, true, 30},
        {"InCommAt", [&](Link& link) { return InCommAt(link, byte); }, true, 30},
        {"outCommQuick reads once", [](Link& link) { return outCommQuick(link, 0x53); }, true, 0},
        {"without a tick the turns count", [](Link& link) { return OutComm(link, 1, 0); }, false,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenRig rig(30, c.tick);
        EXPECT_FALSE(c.wait(rig.link));
        EXPECT_EQ(rig.pump.ticks, c.ticks);
        EXPECT_LE(rig.line.reads, 30);
        // Every read waits up to TIMEOUT milliseconds in the device.
        EXPECT_EQ(rig.line.readTimeouts.back(), milliseconds(30));
    }
}

TEST(InComm, ReceivesRecordsEchoingEveryByteAndShowsProgress) {
    const struct {
        int readEcuNum;
        std::vector<std::string> statuses;
    } cases[] = {
        {30, {"status:Wait...3%", "status:Wait...6%", "status:Wait...10%"}},
        {2, {"status:Wait...50%", "status:Wait...100%", "status:Wait...100%"}},
        {0, {"status:Wait...0100", "status:Wait...0110", "status:Wait...0000"}},
    };
    for (const auto& c : cases) {
        OpenRig rig;
        LinkSettings settings = rig.link.settings();
        settings.readEcuNum = c.readEcuNum;
        rig.link.setSettings(settings);
        rig.line.send(kTwoRecords);
        RecordingProgress progress;
        std::string received;
        std::string address;

        EXPECT_TRUE(InComm(rig.link, received, address, progress, 0));
        EXPECT_EQ(received, kTwoRecords);
        EXPECT_EQ(std::string(rig.line.written.begin(), rig.line.written.end()), kTwoRecords);
        EXPECT_EQ(address, "0000");
        EXPECT_EQ(progress.events, c.statuses);
    }
}

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
    LinkRig closed;
    EXPECT_TRUE(drainPort(closed.link, "WriteEcu_GetRestDataFromPort"));
}

} // namespace
} // namespace qmx::ecu::test
