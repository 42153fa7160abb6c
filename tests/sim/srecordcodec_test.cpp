#include "sim/srecordcodec.h"

#include <gtest/gtest.h>

namespace qmx::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SRecordCodec, DecodesGoodRecordsAndNamesWhatIsWrongWithBadOnes) {
    const struct {
        const char* text;
        const char* problem;
        std::uint16_t address;
        Bytes data;
    } cases[] = {
        {"S1058000AABB15", "", 0x8000, {0xAA, 0xBB}},
        {"S104FFFFAA53", "", 0xFFFF, {0xAA}},
        {"S1058000AABB16", "wrong checksum", 0x8000, {0xAA, 0xBB}},
        {"S1068000AABB15", "count past the end of the line", 0, {}},
        {"S1058000AABB150", "characters after the checksum", 0, {}},
        {"S1028000", "count below 3", 0, {}},
        {"S105FFFFAABB97", "data past address FFFF", 0xFFFF, {0xAA, 0xBB}},
        {"S2058000AABB15", "not an S1 record", 0, {}},
        {"S105800GAABB15", "not an S1 record", 0, {}},
        {"", "not an S1 record", 0, {}},
    };
    for (const auto& c : cases) {
        const S1Record record = decodeS1Record(c.text);
        EXPECT_EQ(record.problem, c.problem) << c.text;
        if (record.problem.empty() || record.problem == "wrong checksum") {
            EXPECT_EQ(record.address, c.address) << c.text;
            EXPECT_EQ(record.data, c.data) << c.text;
        }
    }
}

} // namespace
} // namespace qmx::sim
