#include "ecu/panerows.h"

#include <gtest/gtest.h>

namespace qmx::ecu {
namespace {

// (How a pane's bytes are coloured against the other: the Data Compare widget test.)
TEST(PaneRows, NeverReachPastTheLastAddress) {
    // A partial read shows one row more than its data; at the top of memory there is none.
    DataPane pane;
    pane.fill(0xFFF0, std::vector<std::uint8_t>(16, 7), "pane");
    pane.rows += 1;
    EXPECT_EQ(paneRowCount(pane), 1);
    EXPECT_EQ(paneRow(pane, pane, 0).address, "FFF0");
}

} // namespace
} // namespace qmx::ecu
