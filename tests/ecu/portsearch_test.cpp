#include "ecu/portsearch.h"

#include "fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

TEST(ListPorts, SortsAndKeepsOneEntryPerComNumber) {
    LinkRig rig;
    rig.openLog();
    rig.lister.ports = {{"COM3", "Modem", "/dev/ttyACM0", false}, {"COM1", "Serial", "/dev/ttyS0"},
                        {"COM3", "USB", "/dev/ttyUSB0"},          {"LPT1", "Printer", "/dev/lp0"},
                        {"COM1", "Other", "/dev/ttyS9"},          {"COM257", "Far", "/dev/x"}};

    const std::vector<PortEntry> entries = listPorts(rig.link);

    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].index, 0);
    EXPECT_EQ(entries[0].displayName, "Serial");
    EXPECT_EQ(entries[1].index, 2);
    EXPECT_EQ(entries[1].displayName, "USB");
    EXPECT_THAT(rig.logLines(),
                ElementsAre("0, 00, 0, 0, 0, Get    PortInfo: Modem, COM3, /dev/ttyACM0",
                            "0, 00, 0, 0, 0, Get    PortInfo: Serial, COM1, /dev/ttyS0",
                            "0, 00, 0, 0, 0, Get    PortInfo: USB, COM3, /dev/ttyUSB0",
                            "0, 00, 0, 0, 0, Get    PortInfo: Other, COM1, /dev/ttyS9",
                            "0, 00, 0, 0, 0, Remove PortInfo: Other, COM1, Ports",
                            "0, 00, 0, 0, 0, Remove PortInfo: Modem, COM3, "));
}

} // namespace
} // namespace qmx::ecu::test
