#include "ecu/commolog.h"

#include "fakes.h"

#include <fstream>

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

TEST(CommoLog, CreatesMissingFoldersAndWritesExactLines) {
    const testing::TempFolder temp;
    const std::filesystem::path folder = temp.path();
    CommoLog log([] { return 1234LL; });
    RecordingSink sink;
    // Both separators split folders.
    ASSERT_EQ(log.open(folder.string() + "/a\\b/commo.log", false, "tarvik 1.0", sink), 0);
    log.readLine(0xA5, 0, 50, 0, "InComm");
    log.writeLine(0x4C, 1, 49, 0, "OutComm");
    log.eventLine(0x00, 1, 2, 5, "(Retry)");
    log.close();

    EXPECT_EQ(testing::readAll(folder / "a" / "b" / "commo.log"),
              "**\n* tarvik 1.0\n*\n"
              "time, Buffer, NumberOfBytesReadOrWrite, timeOut, GetLastError, FunctionName\n\n"
              "1234, A5, 0, 50, 0, ReadFile:InComm\n"
              "1234, 4C, 1, 49, 0, WriteFile:OutComm\n"
              "1234, 00, 1, 2, 5, (Retry)\n");
    EXPECT_TRUE(sink.shown.empty());
}

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
