#include "ecu/transfercommands.h"

#include "transferrig.h"

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

TEST(WriteCommand, AResultWithoutResponseLineShowsAnEmptyInformationBox) {
    TransferRig t(0x8000, 0x800F);
    t.ecu.resultByte = '9';
    auto context = t.context();
    auto document = t.document();
    EXPECT_EQ(writeEcuCommand(context, document, {}), 0);
    ASSERT_EQ(t.rig.sink.shown.size(), 1u);
    EXPECT_EQ(t.rig.sink.shown[0].text, "");
    EXPECT_EQ(t.rig.sink.shown[0].caption, "Write to ECU");
    EXPECT_EQ(t.rig.sink.shown[0].icon, app::Icon::Information);
}

TEST(ReadCommand, ARefusalShownByTheReadIsNotShownAgain) {
    TransferRig t(0x8000, 0x800F);
    ASSERT_TRUE(t.rig.link.openPort(false, 0, 10));
    t.rig.ports.line(0).endless = true;
    int refreshes = 0;
    auto context = t.context();
    auto document = t.document();
    EXPECT_EQ(readEcuCommand(context, document, [&] { ++refreshes; }), app::msg::DataRemainsInPort);
    ASSERT_EQ(t.rig.sink.shown.size(), 1u);
    EXPECT_EQ(t.rig.sink.shown[0].text, "The data to read remains in port.");
    EXPECT_EQ(refreshes, 1);
}

} // namespace
} // namespace qmx::ecu::test
