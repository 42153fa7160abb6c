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

// Port 0 (the current one) silent, port 1 listed but gone, port 2 another ECU, ports 3 and 4
// the right ECU; each port is tried once per check (RETRY 1, ECRETRY 1 keep the log short).
struct SearchRig : LinkRig {
    explicit SearchRig(bool autoSelect = false) : LinkRig(settings(autoSelect)) {
        ports.line(0);
        ports.line(2).respond = ecu({'X', 'Y'});
        ports.line(3).respond = ecu();
        ports.line(4).respond = ecu();
        lister.ports = {{"COM5", "E", "/dev/ttyS4"},
                        {"COM4", "D", "/dev/ttyS3"},
                        {"COM3", "C", "/dev/ttyS2"},
                        {"COM2", "Gone", "/dev/ttyUSB5"},
                        {"COM1", "A", "/dev/ttyS0"}};
    }
    static LinkSettings settings(bool autoSelect) {
        LinkSettings settings = testSettings();
        settings.retry = 1;
        settings.ecRetry = 1;
        settings.scanSelectedPortTimeout = 7;
        settings.sequentialScanPortTimeout = 11;
        settings.autoSelect = autoSelect;
        return settings;
    }
};

TEST(SearchPort, WrongIdentificationIsNamedButFails) {
    SearchRig rig;
    rig.ports.line(3).respond = nullptr;
    rig.ports.line(4).respond = nullptr;
    rig.openLog();
    int found = -1;

    EXPECT_FALSE(searchPort(rig.link, &found));
    EXPECT_EQ(found, 2);
    EXPECT_FALSE(rig.link.choice().searchDone());
    EXPECT_EQ(rig.logLines().back(), "0, 00, 0, 0, 0, *** R Search COM:COM3");
}

} // namespace
} // namespace qmx::ecu::test
