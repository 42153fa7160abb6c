#include "app/comportchoice.h"

#include "ecu/fakes.h"
#include "text/messages.h"

#include <gtest/gtest.h>

namespace qmx::app::test {
using namespace qmx::ecu;
using namespace qmx::ecu::test;
namespace {

LineIndexes line(int port) {
    return {.baud = 5, .data = 1, .parity = 0, .stop = 0, .flow = 1, .port = port};
}

TEST(ComPortChoice, OpensOnThePortsEntryWithTheHiddenControlsOfTheLine) {
    ComPortChoice choice({line(12), false}, {{0, "Serial", true}, {12, "USB Serial", true}});
    EXPECT_EQ(choice.selectedEntry(), 12);
    EXPECT_EQ(choice.entryText(12), "COM13  USB Serial");
    EXPECT_EQ(choice.entryText(255), "COM256 ");
    const platform::PortDetails locked{false, platform::UsbIdentity{"0403", "6001", "FTDI", "FT232R", "A10K3"}};
    EXPECT_EQ(ComPortChoice({line(0), false}, {{4, "FTDI FT232R", true, locked}}).entryText(4),
              "COM5   FTDI FT232R, serial number A10K3  (!) this user may not open it");
    EXPECT_TRUE(choice.listEnabled());
    const HiddenLineControls& hidden = choice.hiddenControls();
    EXPECT_EQ(hidden.comRadio, 0); // "Com1" beyond Com8
    EXPECT_EQ(hidden.speedRadio, 5);
    EXPECT_FALSE(hidden.xFlow);
    EXPECT_EQ(ComPortChoice({line(300), false}, {}).selectedEntry(), 0);

    choice.setAutoSelect(true, {});
    EXPECT_FALSE(choice.listEnabled());
    EXPECT_EQ(choice.selectedEntry(), 12);
    EXPECT_EQ(choice.entryText(12), "COM13  ");
}

TEST(ComPortChoice, ASettingWithoutItsRadioKeepsTheDialogOpen) {
    LineIndexes speed = line(0);
    speed.baud = 6;
    LineIndexes parity = line(0);
    parity.parity = 3;
    LineIndexes stop = line(0);
    stop.stop = -1;
    for (const LineIndexes& bad : {speed, parity, stop}) {
        LinkRig rig;
        ComPortChoice choice({bad, false}, {});
        EXPECT_EQ(choice.accept(rig.link, rig.sink), ComPortChoice::Outcome::StayOpen);
        ASSERT_EQ(rig.sink.shown.size(), 1u);
        EXPECT_EQ(rig.sink.shown[0].text, "All Parameters are not defined");
    }
}

} // namespace
} // namespace qmx::app::test
