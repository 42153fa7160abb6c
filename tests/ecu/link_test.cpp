#include "ecu/link.h"

#include "fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

TEST(LinkOpen, InvalidIndexFailsWithoutTouchingTheDevice) {
    struct Case {
        int LinkSettings::*index;
        int value;
        int port;
    };
    const Case cases[] = {{&LinkSettings::speedIndex, 6, 0},  {&LinkSettings::dataIndex, 2, 0},
                          {&LinkSettings::parityIndex, 3, 0}, {&LinkSettings::stopIndex, -1, 0},
                          {&LinkSettings::speedIndex, 3, -1}, {&LinkSettings::speedIndex, 3, 256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        LinkSettings settings = testSettings();
        settings.*c.index = c.value;
        LinkRig rig(settings);
        rig.openLog();
        rig.ports.line(c.port).respond = ecu();
        int check = 0;
        EXPECT_NE(rig.link.openPort(true, c.port, 50, &check), 0);
        EXPECT_EQ(check, -1);
        EXPECT_TRUE(rig.ports.opened.empty());
        const std::string com = "COM" + std::to_string(c.port + 1);
        EXPECT_THAT(rig.logLines(),
                    ElementsAre("0, 00, 0, 0, 0, ** Open " + com,
                                "0, 00, 0, 0, 0, ** R Open " + com + ":Failed in opening"));
    }
}

TEST(LinkClose, StopsTheTickTellsTheListenerAndLogsOnlyWhenOpen) {
    struct Listener : LinkListener {
        void pollStep() override {}
        void portClosed() override { ++closed; }
        int closed = 0;
    } listener;
    LinkRig rig(uncheckedSettings());
    rig.link.setListener(&listener);
    rig.ports.line(3);
    ASSERT_EQ(rig.link.openPort(true, 3, 50), 0);
    rig.openLog();

    rig.link.closePort();
    rig.link.closePort();

    EXPECT_FALSE(rig.link.countdown().running());
    EXPECT_EQ(listener.closed, 1);
    EXPECT_THAT(rig.logLines(), ElementsAre("0, 00, 1, 0, 0, ** Close COM4"));
    rig.link.setListener(nullptr);
}

TEST(LinkPortIndex, SetPortIndexWritesOnlyWhatDiffers) {
    struct Case {
        int index;
        std::vector<std::string> profileWrites;
        std::vector<int> registryWrites;
    };
    const Case cases[] = {{9, {"PORT10"}, {9}}, {300, {"PORT1"}, {300}}, {2, {}, {}}};
    for (const Case& c : cases) {
        LinkRig rig;
        rig.store.profile = 2;
        rig.store.registry = 2;
        EXPECT_TRUE(rig.link.choice().setPortIndex(c.index));
        EXPECT_EQ(rig.store.profileWrites, c.profileWrites);
        EXPECT_EQ(rig.store.registryWrites, c.registryWrites);
    }
}

TEST(LinkPortIndex, CurrentPortCopiesTheProfileIndexIntoAnEmptyRegistry) {
    LinkRig rig;
    rig.store.profile = 4;
    EXPECT_EQ(rig.link.choice().currentPortIndex(), 4);
    rig.store.profile = 6;
    EXPECT_EQ(rig.link.choice().currentPortIndex(), 4);
    EXPECT_THAT(rig.store.registryWrites, ElementsAre(4));
}

TEST(LinkConfiguredOpen, SearchesOnceAndOnlyWithAutoSelect) {
    for (bool autoSelect : {true, false}) {
        LinkSettings settings = testSettings();
        settings.autoSelect = autoSelect;
        LinkRig rig(settings);
        rig.ports.line(0).respond = ecu();
        EXPECT_EQ(rig.link.openConfiguredPort(false), 0);
        EXPECT_EQ(rig.link.openConfiguredPort(false), 0);
        EXPECT_EQ(rig.ports.opened.size(), autoSelect ? 3u : 2u); // the search opens once
        EXPECT_EQ(rig.lister.calls, 0);                           // the current port answered
    }
}

} // namespace
} // namespace qmx::ecu::test
