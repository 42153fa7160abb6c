#include "ecu/panerows.h"

#include <gtest/gtest.h>

namespace qmx::ecu {
namespace {

DataPane paneOf(std::uint16_t start, std::vector<std::uint8_t> bytes) {
    DataPane pane;
    pane.fill(start, std::move(bytes), "pane");
    return pane;
}

// (How a pane's bytes are coloured against the other: the Data Compare widget test.)
TEST(PaneRows, NeverReachPastTheLastAddress) {
    // A partial read shows one row more than its data; at the top of memory there is none.
    DataPane pane = paneOf(0xFFF0, std::vector<std::uint8_t>(16, 7));
    pane.rows += 1;
    EXPECT_EQ(paneRowCount(pane), 1);
    EXPECT_EQ(paneRow(pane, pane, 0).address, "FFF0");
}

} // namespace
} // namespace qmx::ecu
