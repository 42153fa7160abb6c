#include "ecu/link.h"

#include "fakes.h"

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

TEST(LinkOpen, InvalidIndexFailsWithoutTouchingTheDevice) {
    struct Case {
        int LinkSettings::*index;
        int value;
        int port;
    };
    const Case cases[] = {{&LinkSettings::speedIndex, 6, 0},
                          {&LinkSettings::parityIndex, 3, 0},
                          {&LinkSettings::stopIndex, -1, 0},
                          {&LinkSettings::speedIndex, 3, -1},
                          {&LinkSettings::speedIndex, 3, 256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        LinkSettings settings = testSettings();
        settings.*c.index = c.value;
        LinkRig rig(settings);
        rig.ports.line(c.port).respond = ecu();
        int check = 0;
        EXPECT_NE(rig.link.openPort(true, c.port, 50, &check), 0);
        EXPECT_EQ(check, -1);
        EXPECT_TRUE(rig.ports.opened.empty());
    }
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
