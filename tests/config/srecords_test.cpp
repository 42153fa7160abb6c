#include "config/srecords.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "support/linesof.h"
#include "text/messages.h"

namespace qmx::config {
namespace {

namespace msg = text::msg;

CLineList dataSection(std::vector<std::string> records) {
    records.insert(records.begin(), "[Data]");
    return qmx::testing::linesOf(records);
}

// An image whose range `low` .. `high` holds the low byte of each address.
EcuImage filledImage(std::uint16_t low, std::uint16_t high) {
    EcuImage image;
    for (std::size_t a = low; a <= high; ++a)
        image.setByte(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a));
    image.setRange(low, high);
    return image;
}

bool sameBytes(const EcuImage& a, const EcuImage& b) {
    return std::equal(a.data(), a.data() + EcuImage::Size, b.data());
}

struct LoadCase {
    const char* name;
    std::vector<std::string> records;
    int expected;
    std::uint16_t low = 0, high = 0; // the range after a successful load
};

class LoadDataSection : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadDataSection, SetsTheRangeOrFailsWithoutChangingTheImage) {
    const LoadCase& c = GetParam();
    const EcuImage before = filledImage(0x8000, 0x80FF);
    EcuImage image = before;
    ASSERT_EQ(loadDataSection(dataSection(c.records), image), c.expected);
    if (c.expected == msg::Success) {
        EXPECT_EQ(image.low(), c.low);
        EXPECT_EQ(image.high(), c.high);
    } else {
        EXPECT_EQ(image.low(), before.low());
        EXPECT_EQ(image.high(), before.high());
        EXPECT_TRUE(sameBytes(image, before));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadDataSection,
    ::testing::Values(
        LoadCase{"TwoRecordsThenS9",
                 {"Calib:", "S1058000AABB15", "", "; note", "S10490021059", "S9030000FC",
                  "Fixed:", "not a record at all"},
                 0,
                 0x8000,
                 0x9002},
        LoadCase{"EndOfListWithoutS9", {"S1AA", "S1058000AABB15"}, 0, 0x8000, 0x8001},
        LoadCase{"ByteAtFFFFAndNoDataRecord", {"S10370008C", "S104FFFFAA53"}, 0, 0xFFFF, 0xFFFF},
        LoadCase{"HeaderBeforeS9", {"S1058000AABB15", "[Free Map]", "S9030000FC"}, 1509},
        LoadCase{"NonHex", {"S1058000AABB15", "S1058000AAGG15"}, 1510},
        LoadCase{"CountBelowThree", {"S1028000FD00"}, 1509},
        LoadCase{"CountPastLine", {"S1108000AABB15"}, 1509},
        LoadCase{"DataPastFFFF", {"S105FFFFAABB00"}, 1509},
        LoadCase{"OtherRecordType", {"S2058000AABB15", "S1058000AABB15"}, 1509},
        LoadCase{"NoRecord", {"Calib:", "S9030000FC", "Fixed:"}, 1508},
        LoadCase{"RecordOnlyInALaterSection", {"[Free Map]", "S1058000AABB15"}, 1509},
        LoadCase{"NoDataByte", {"S10380007C", "S9030000FC"}, 1508}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(LoadDataSection, StoresOnlyItsRecordsBytes) {
    EcuImage image = filledImage(0x8000, 0x9FFF);
    std::vector<std::string> records;
    encodeSRecords(image, 0x9000, 16, records);
    image.setByte(0x9000, 0xEE);
    ASSERT_EQ(loadDataSection(dataSection(records), image), msg::Success);
    EXPECT_EQ(image.byte(0x9000), 0x00);
    EXPECT_TRUE(sameBytes(image, filledImage(0x8000, 0x9FFF)));
}

// (Records with a wrong checksum, named once after the open: the qmxctl and widget tests.)
// (Decoding a record and checking its checksum: the ECU read's tests; the record layout: the
// samples saved packed byte for byte by the qmxctl tests.)
TEST(EncodeSRecords, NothingPastTheImageEnd) {
    std::vector<std::string> out;
    encodeSRecords(filledImage(0x8000, 0x8010), 0xFFF8, 100, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(parseS1Record(out[0])->data.size(), 8u);
}

// Saving 0x8000 .. 0x80FF: 16 records replace the old content lines, the lines around them stay
// after the S9 record, and loading them back gives the same range. (The checksum byte's value:
// the application's Save As test.)
TEST(DataSection, ChecksumRegenerateAndReload) {
    EcuImage image = filledImage(0x8000, 0x80FF);
    EXPECT_TRUE(fixImageChecksum(image));
    EXPECT_FALSE(fixImageChecksum(image));
    CLineList lines = dataSection({"Calib:", "S1058000AABB15", "", "; kept", "S9030000FC"});
    lines.append("[Free Map]");
    regenerateDataSection(lines, image);
    const std::vector<std::string> tail(lines.lines().begin() + 18, lines.lines().end());
    EXPECT_EQ(tail, (std::vector<std::string>{"S9030000FC", "Fixed:", "", "; kept", "[Free Map]"}));
    EcuImage reloaded;
    ASSERT_EQ(loadDataSection(lines, reloaded), msg::Success);
    EXPECT_EQ(reloaded.high(), 0x80FF);
    EXPECT_TRUE(sameBytes(reloaded, image));

    EcuImage empty; // no range loaded: nothing to fix, nothing written
    EXPECT_FALSE(fixImageChecksum(empty));
    EXPECT_EQ(empty.byte(0), 0);
}

} // namespace
} // namespace qmx::config
