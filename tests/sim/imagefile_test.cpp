#include "sim/imagefile.h"

#include <gtest/gtest.h>

#include "support/tempfolder.h"

#include <memory>
#include <tuple>

namespace qmx::sim {
namespace {

// A bad S-record or configuration file names its first fault and leaves the memory as it was.
TEST(ImageFile, LoadsAConfigurationsDataSectionAndRefusesBadFiles) {
    qmx::testing::TempFolder folder;
    auto memory = std::make_unique<config::EcuImage>();
    const std::string path = folder.write("ecu.rcg", "[Title]\r\nDemo\r\n[Data]\r\nCalib:\r\n"
                                                     "S1058000AABB15\r\nS9030000FC\r\nFixed:\r\n");
    ASSERT_EQ(loadImage(path, *memory), "");
    EXPECT_EQ(memory->low(), 0x8000);
    EXPECT_EQ(memory->high(), 0x8001);
    EXPECT_EQ(memory->byte(0x8000), 0xAA);

    const struct {
        const char* text;
        const char* problem;
    } bad[] = {
        {"S1058000CCBBF3\nS1048010CC00\n", "line 2: wrong checksum"},
        {"S1058000CCBBF3\nhello\n", "line 2: not an S1 record"},
        {"S9030000FC\n", "no data bytes"},
        {"[Data]\r\nS1058000AAXXF5\r\n", "line 2: not an S1 record"},
        {"[Data]\r\nCalib:\r\nS1058000CCBB16\r\n", "line 3: wrong checksum"},
        {"[Data]\r\nS1058000CCBBF3\r\n[Map]\r\n", "line 3: not an S1 record"},
    };
    for (const auto& c : bad) {
        EXPECT_EQ(loadImage(folder.write("bad.rcg", c.text), *memory), c.problem) << c.text;
        EXPECT_EQ(std::make_tuple(memory->low(), memory->high(), memory->byte(0x8000)),
                  std::make_tuple(0x8000, 0x8001, 0xAA))
            << c.text;
    }
}

} // namespace
} // namespace qmx::sim
