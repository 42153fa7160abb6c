#include "sim/imagefile.h"

#include <gtest/gtest.h>

#include "support/tempfolder.h"

#include <memory>

namespace qmx::sim {
namespace {

class ImageFile : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        return m_folder.write(name, text);
    }

private:
    qmx::testing::TempFolder m_folder;
};

TEST_F(ImageFile, BadSRecordFilesLeaveTheMemoryAlone) {
    const struct {
        const char* text;
        const char* problem;
    } cases[] = {
        {"S1058000AABB15\nS1048010CC00\n", "line 2: wrong checksum"},
        {"S1058000AABB15\nhello\n", "line 2: not an S1 record"},
        {"S9030000FC\n", "no data bytes"},
    };
    for (const auto& c : cases) {
        auto memory = std::make_unique<config::EcuImage>();
        memory->setRange(0x1000, 0x1001);
        EXPECT_EQ(loadImage(write("bad.s19", c.text), *memory), c.problem);
        EXPECT_EQ(memory->low(), 0x1000);
        EXPECT_EQ(memory->byte(0x8000), 0);
    }
}

TEST_F(ImageFile, ConfigurationFileLoadsItsDataSection) {
    auto memory = std::make_unique<config::EcuImage>();
    const std::string path = write("ecu.rcg", "[Title]\r\nDemo\r\n[Data]\r\nCalib:\r\n"
                                              "S1058000AABB15\r\nS9030000FC\r\nFixed:\r\n");
    ASSERT_EQ(loadImage(path, *memory), "");
    EXPECT_EQ(memory->low(), 0x8000);
    EXPECT_EQ(memory->high(), 0x8001);
    EXPECT_EQ(memory->byte(0x8000), 0xAA);

    const struct {
        const char* text;
        const char* problem;
    } bad[] = {
        {"[Data]\r\nS1058000AAXXF5\r\n", "line 2: not an S1 record"},
        {"[Data]\r\nCalib:\r\nS1058000CCBB16\r\n", "line 3: wrong checksum"},
        {"[Data]\r\nS1058000CCBBF3\r\n[Map]\r\n", "line 3: not an S1 record"},
    };
    for (const auto& c : bad) {
        EXPECT_EQ(loadImage(write("bad.rcg", c.text), *memory), c.problem) << c.text;
        EXPECT_EQ(memory->byte(0x8000), 0xAA) << c.text;
    }
}

} // namespace
} // namespace qmx::sim
