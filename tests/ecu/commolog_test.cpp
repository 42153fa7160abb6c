#include "ecu/commolog.h"

#include "fakes.h"

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

TEST(CommoLog, FolderThatCannotBeMadeIsReportedOnceAndNothingIsWritten) {
    const testing::TempFolder folder;
    const std::string blocker = folder.write("blocker", "a file");
    CommoLog log;
    RecordingSink sink;
    EXPECT_EQ(log.open(blocker + "/sub/commo.log", false, "v", sink), text::msg::LogFolderMissing);
    log.eventLine(0, 0, 0, 0, "** Open COM1");

    EXPECT_FALSE(log.isOpen());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "The folder for output a log does not exist.");
    EXPECT_EQ(testing::readAll(blocker), "a file");
}

} // namespace
} // namespace qmx::ecu::test
