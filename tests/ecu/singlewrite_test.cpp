#include "ecu/singlewrite.h"

#include "fakes.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

TEST(SingleWrite, FailuresStopTheWriteAndAreShown) {
    const struct {
        const char* what;
        std::function<Bytes(std::uint8_t)> ecu;
        int result;
        app::Icon icon;
        std::size_t commandBytesSent;
    } cases[] = {
        {"wrong echo of the low address byte", ecu({'K', 'D'}, {'7', 'E'}, 0x34),
         app::msg::NoResponseFromEcu, app::Icon::None, 3},
        {"another ECU type", ecu({'X', 'Y'}), app::msg::EcuTypeDifferent, app::Icon::Exclamation,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LinkRig rig;
        FakeLine& line = rig.ports.line(0);
        line.respond = c.ecu;
        RecordingProgress progress;

        EXPECT_EQ(writeEcuByte(rig.link, progress, rig.sink, 0x1234, 0xAB), c.result);

        const auto command = std::find(line.written.begin(), line.written.end(), 0x53);
        EXPECT_EQ(static_cast<std::size_t>(line.written.end() - command), c.commandBytesSent);
        ASSERT_EQ(rig.sink.shown.size(), 1u);
        EXPECT_EQ(rig.sink.shown[0].text, app::messageText(c.result));
        EXPECT_EQ(rig.sink.shown[0].caption, "QMX");
        EXPECT_EQ(rig.sink.shown[0].icon, c.icon);
    }
}

// A monitor poll that finishes its exchange at its `idleAfter`th tick (never when 0).
class SlowMonitor : public LinkListener {
public:
    SlowMonitor(Link& link, int idleAfter) : m_link(link), m_idleAfter(idleAfter) {}
    void pollStep() override {
        if (++m_polls == m_idleAfter)
            m_link.setMonitorCycleActive(false);
    }
    void portClosed() override {}

private:
    Link& m_link;
    int m_idleAfter;
    int m_polls = 0;
};

TEST(SingleWrite, WordWaitsTickByTickForTheMonitorExchangeOnAnOpenPort) {
    for (const auto& [idleAfter, waits] : {std::pair{3, 3}, std::pair{0, 20}}) {
        LinkRig rig;
        FakeLine& line = rig.ports.line(0);
        line.respond = ecu();
        SlowMonitor monitor(rig.link, idleAfter);
        rig.link.setListener(&monitor);
        EXPECT_TRUE(rig.link.openPort(true, 0, 50));
        rig.link.setCheckPassed(true); // no new check
        rig.link.setMonitorCycleActive(true);
        line.written.clear();
        RecordingProgress progress;

        EXPECT_EQ(writeEcuWord(rig.link, progress, rig.sink, 0x8001, 0xABCD), 0);
        EXPECT_EQ(rig.pump.waits, waits);
        EXPECT_EQ(rig.pump.ticks, waits);
        EXPECT_THAT(line.written, ElementsAre(0x73, 0x80, 0x01, 0xAB, 0xCD));
        EXPECT_THAT(progress.events, ElementsAre("open:( 8001 ) = ABCD", "close"));
        EXPECT_TRUE(rig.link.portOpen());
        rig.link.setListener(nullptr);
    }
}

} // namespace
} // namespace qmx::ecu::test
