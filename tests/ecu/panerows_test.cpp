#include "ecu/panerows.h"

#include <gtest/gtest.h>

namespace qmx::ecu {
namespace {

DataPane paneOf(std::uint16_t start, std::vector<std::uint8_t> bytes) {
    DataPane pane;
    pane.fill(start, std::move(bytes), "pane");
    return pane;
}

std::string reds(const PaneRow& row) {
    std::string marks;
    for (const PaneByte& byte : row.bytes)
        marks += byte.text.empty() ? '.' : byte.red ? 'R' : 'b';
    return marks;
}

TEST(PaneRows, ColourEachByteAgainstTheOtherPane) {
    // 0x8008 .. 0x8027 against 0x8010 .. 0x801F, one byte different at 0x8014.
    DataPane first = paneOf(0x8008, std::vector<std::uint8_t>(32, 0xAB));
    DataPane second = paneOf(0x8010, std::vector<std::uint8_t>(16, 0xAB));
    second.bytes[4] = 0x00;

    ASSERT_EQ(paneRowCount(first), 3);
    const PaneRow top = paneRow(first, second, 0);
    EXPECT_EQ(top.address, "8000");
    EXPECT_EQ(reds(top), "........RRRRRRRR");
    EXPECT_EQ(top.bytes[8].text, "AB");
    EXPECT_EQ(reds(paneRow(first, second, 1)), "bbbbRbbbbbbbbbbb");
    EXPECT_EQ(reds(paneRow(first, second, 2)), "RRRRRRRR........");
    EXPECT_EQ(paneRow(second, first, 0).bytes[4].text, "00");
    EXPECT_EQ(firstDifferenceRow(first, second), 0);
    EXPECT_EQ(firstDifferenceRow(second, first), 0);

    second.partial = true;
    EXPECT_EQ(reds(paneRow(second, first, 0)), "RRRRRRRRRRRRRRRR");
    EXPECT_EQ(firstDifferenceRow(paneOf(0x8010, {1, 2}), paneOf(0x8010, {1, 2})), std::nullopt);
    EXPECT_EQ(firstDifferenceRow(paneOf(0x8010, std::vector<std::uint8_t>(40, 1)),
                                 paneOf(0x8010, std::vector<std::uint8_t>(39, 1))),
              2);
}

TEST(PaneRows, NeverReachPastTheLastAddress) {
    // A partial read shows one row more than its data; at the top of memory there is none.
    DataPane pane = paneOf(0xFFF0, std::vector<std::uint8_t>(16, 7));
    pane.rows += 1;
    EXPECT_EQ(paneRowCount(pane), 1);
    EXPECT_EQ(paneRow(pane, pane, 0).address, "FFF0");
}

} // namespace
} // namespace qmx::ecu
