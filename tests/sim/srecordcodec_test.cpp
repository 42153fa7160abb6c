#include "sim/srecordcodec.h"

#include <gtest/gtest.h>

#include <numeric>

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
        {"S1058000aabb15", "", 0x8000, {0xAA, 0xBB}},
        {"S10380007C", "", 0x8000, {}},
        {"S104FFFFAA53", "", 0xFFFF, {0xAA}},
        {"S1058000AABB16", "wrong checksum", 0x8000, {0xAA, 0xBB}},
        {"S1068000AABB15", "count past the end of the line", 0, {}},
        {"S1058000AABB150", "characters after the checksum", 0, {}},
        {"S1058000AABB1500", "characters after the checksum", 0, {}},
        {"S1028000", "count below 3", 0, {}},
        {"S105FFFFAABB97", "data past address FFFF", 0xFFFF, {0xAA, 0xBB}},
        {"S2058000AABB15", "not an S1 record", 0, {}},
        {"S105800GAABB15", "not an S1 record", 0, {}},
        {" S1058000AABB15", "not an S1 record", 0, {}},
        {"S1", "not an S1 record", 0, {}},
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

TEST(SRecordCodec, EncodesSixteenBytesARecordAndReadsThemBack) {
    EXPECT_EQ(encodeS1Records(0x8000, {0xAA, 0xBB}),
              (std::vector<std::string>{"S1058000AABB15", "S9030000FC"}));
    EXPECT_EQ(encodeS1Records(0x8000, {}), std::vector<std::string>{"S9030000FC"});

    Bytes bytes(33);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0xF0});
    const auto records = encodeS1Records(0xFFDF, bytes);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[2].substr(0, 8), "S104FFFF"); // the 33rd byte alone, at the top address
    Bytes decoded;
    for (std::size_t i = 0; i < 3; ++i) {
        const S1Record record = decodeS1Record(records[i]);
        EXPECT_EQ(record.problem, "") << records[i];
        EXPECT_EQ(record.address, 0xFFDF + 16 * i);
        EXPECT_EQ(announcedLength(records[i]), records[i].size());
        decoded.insert(decoded.end(), record.data.begin(), record.data.end());
    }
    EXPECT_EQ(decoded, bytes);
    EXPECT_EQ(announcedLength("S1"), 0u);
    EXPECT_EQ(announcedLength("S1G5"), 0u);
}

} // namespace
} // namespace qmx::sim
