#include "ecu/singlewrite.h"

#include "fakes.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

// A monitor poll in the middle of an exchange that it finishes at its `idleAfter`th tick (never
// when 0).
class SlowMonitor : public LinkListener {
public:
    SlowMonitor(Link& link, int idleAfter) : m_idleAfter(idleAfter) {
        m_claim.emplace(link.arbiter());
    }
    void pollStep() override {
        if (++m_polls == m_idleAfter)
            m_claim.reset();
    }
    void portClosed() override { m_claim.reset(); }

private:
    std::optional<MonitorClaim> m_claim;
    int m_idleAfter;
    int m_polls = 0;
};

TEST(SingleWrite, WordWaitsTickByTickForTheMonitorExchangeOnAnOpenPort) {
    for (const auto& [idleAfter, waits] : {std::pair{3, 3}, std::pair{0, 20}}) {
        LinkRig rig;
        FakeLine& line = rig.ports.line(0);
        line.respond = ecu();
        EXPECT_EQ(rig.link.openPort(true, 0, 50), 0);
        SlowMonitor monitor(rig.link, idleAfter);
        rig.link.setListener(&monitor);
        rig.link.identity().recordCheck(true); // no new check
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
