#include "ecu/commolog.h"

#include "fakes.h"

#include <fstream>

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

TEST(CommoLog, FolderThatCannotBeMadeIsReportedOnceAndNothingIsWritten) {
    const testing::TempFolder temp;
    const std::filesystem::path folder = temp.path();
    std::ofstream(folder / "blocker") << "a file";
    CommoLog log;
    RecordingSink sink;
    EXPECT_EQ(log.open((folder / "blocker" / "sub" / "commo.log").string(), false, "v", sink),
              text::msg::LogFolderMissing);
    log.eventLine(0, 0, 0, 0, "** Open COM1");

    EXPECT_FALSE(log.isOpen());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "The folder for output a log does not exist.");
    EXPECT_EQ(testing::readAll(folder / "blocker"), "a file");
}

} // namespace
} // namespace qmx::ecu::test
