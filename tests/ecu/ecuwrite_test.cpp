#include "ecu/ecuwrite.h"

#include "ecu/transfercommands.h"
#include "transferrig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

TEST(FailingAddress, NamesTheByteAtWhichTheRecordBrokeOff) {
    const struct {
        const char* address;
        int sent;
        const char* expected;
    } cases[] = {
        {"8040", 12, "8042"}, // a wrong echo of the 13th character
        {"8040", 8, "8040"},  {"8040", 9, "8040"},
        {"8040", 39, "804F"}, {"8040", 40, "8040"}, // past the 16th byte: the checksum
        {"8040", 5, "8040"},  {"8040", 7, "8040"},  // (7 - 8) / 2 truncates to 0
        {"", 12, ""},         {"804", 12, "804"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " " + std::to_string(c.sent));
        EXPECT_EQ(failingAddress(c.address, c.sent), c.expected);
    }
}

TEST(WriteCommand, SendsTheRangeAsRecordsWithProgressAndKeepsTheSnapshot) {
    TransferRig t(0x8000, 0x8020); // 33 bytes: records of 16, 16 and 1 data bytes
    t.lines.append("[Error Message]");
    t.lines.append("0,Write complete");
    for (std::uint16_t a = 0x8000; a < 0x8020; ++a)
        t.image.setByte(a, 4); // 32 × 4 = 0x80: the checksum byte becomes 0xFF
    auto context = t.context();
    auto document = t.document();
    int refreshes = 0;

    EXPECT_EQ(writeEcuCommand(context, document, [&] { ++refreshes; }), 0);

    EXPECT_EQ(t.image.byte(0x8020), 0xFF);
    EXPECT_EQ(t.modifiedMarks, 1);
    EXPECT_EQ(refreshes, 1);
    ASSERT_EQ(t.ecu.writtenRecords.size(), 4u);
    EXPECT_EQ(t.ecu.writtenRecords[2], "S1048020FF5C");
    EXPECT_EQ(t.ecu.writtenRecords[3], "S9030000FC");
    EXPECT_THAT(t.progress.events,
                ElementsAre("open:Write to ECU", "retry:", "status:Wait...25%", "status:Wait...50%",
                            "status:Wait...75%", "status:Wait...100%", "close"));
    EXPECT_EQ(t.snapshot, t.imageBytes());
    ASSERT_EQ(t.rig.sink.shown.size(), 1u);
    EXPECT_EQ(t.rig.sink.shown[0].text, "Write complete");
    EXPECT_EQ(t.rig.sink.shown[0].caption, "Write to ECU");
    EXPECT_EQ(t.rig.sink.shown[0].icon, app::Icon::Information);
    EXPECT_EQ(t.rig.link.commLockDepth(), 0);
    EXPECT_FALSE(t.rig.link.portOpen());

    // The checksum is right now: a second write leaves the document and the views alone.
    EXPECT_EQ(writeEcuCommand(context, document, [&] { ++refreshes; }), 0);
    EXPECT_EQ(t.modifiedMarks, 1);
    EXPECT_EQ(refreshes, 1);
}

TEST(WriteEcu, TheResultByteIsLookedUpInTheResponseLines) {
    const struct {
        std::uint8_t result;
        const char* status;
    } cases[] = {{'0', "Write complete"}, {'1', "Checksum error in ECU"}, {'7', ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        TransferRig t(0x8000, 0x800F);
        t.lines.append("[Error Message]");
        t.lines.append("; result byte, text");
        t.lines.append("0,Write complete");
        t.lines.append("1,Checksum error in ECU");
        t.ecu.resultByte = c.result;
        CompareData data;
        auto context = t.context();
        auto document = t.document();

        EXPECT_EQ(writeToEcu(context, document, data), 0);
        EXPECT_EQ(data.statusText, c.status);
        EXPECT_TRUE(data.errorText.empty());
        EXPECT_EQ(t.ecu.writes, 1);
    }
}

TEST(WriteEcu, AFailedAttemptNamesWhereTheWriteBrokeOff) {
    const struct {
        const char* what;
        std::function<bool(const std::string&)> wrongEcho;
        int wrongCommand;
        const char* line;
    } cases[] = {
        {"13th character of the record for 0x8040",
         [](const std::string& r) { return r.size() == 13 && r.compare(4, 4, "8040") == 0; }, -1,
         "Write Error Address : 8042"},
        {"the command byte W", {}, 'W', "Write Error Address : "},
        {"inside the end record", [](const std::string& r) { return r == "S903"; }, -1,
         "Write Error Address : "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig t(0x8000, 0x807F);
        t.ecu.wrongRecordEcho = c.wrongEcho;
        t.ecu.wrongCommandEcho = c.wrongCommand;
        auto context = t.context();
        auto document = t.document();

        EXPECT_EQ(writeEcuCommand(context, document, {}), app::msg::FailedToCorrespond);

        ASSERT_EQ(t.rig.sink.shown.size(), 1u);
        EXPECT_EQ(t.rig.sink.shown[0].text,
                  "Failed to correspond with ECU.\n" + std::string(c.line));
        EXPECT_EQ(t.rig.sink.shown[0].icon, app::Icon::Exclamation);
        EXPECT_FALSE(t.snapshot);
    }
}

TEST(WriteEcu, ANegativeRetryCountMakesOneAttemptWithWaitsAfterEveryByte) {
    LinkSettings settings = TransferRig::fastSettings();
    settings.commandRetryCount = -1;
    settings.echoBackWaitTime = 5;
    TransferRig t(0x8000, 0x8000);
    t.rig.link.setSettings(settings);
    t.rig.openLog();
    CompareData data;
    loadEditData(t.document(), data.first);
    auto context = t.context();

    EXPECT_EQ(WriteEcu(context, t.lines, data, false), 0);

    // 'L', 'W', "S104800000 7B" and "S9030000FC", each followed by its wait.
    EXPECT_EQ(t.rig.pump.sleeps.size(), 2u + 12u + 10u);
    EXPECT_THAT(t.progress.events,
                ElementsAre("open:Write to ECU", "status:Wait...", "retry:(Retry)",
                            "status:Wait...50%", "status:Wait...100%", "close"));
    const std::vector<std::string> log = t.rig.logLines();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.ends_with(", 1, 0, (Retry)"); }),
              1);
}

TEST(LoadEditData, CopiesTheDataRangeUnderTheFileTitle) {
    TransferRig t(0x8001, 0x8011);
    t.image.setByte(0x8001, 0xAA);
    DataPane pane;
    pane.partial = true;
    loadEditData(t.document(), pane);
    EXPECT_EQ(pane.start, 0x8001);
    EXPECT_EQ(pane.count(), 17u);
    EXPECT_EQ(pane.bytes.front(), 0xAA);
    EXPECT_EQ(pane.rows, 2);
    EXPECT_FALSE(pane.partial);
    EXPECT_EQ(pane.title, "Edit Data  [ /cal/car.rcz ]");
}

} // namespace
} // namespace qmx::ecu::test
