#include "ecu/ecuread.h"

#include "ecu/transfercommands.h"
#include "transferrig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::uint8_t> counting(std::size_t count, std::uint8_t first = 1) {
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// `count` bytes counting up, the last one making them add up to 0x7F as an ECU's data do.
std::vector<std::uint8_t> checksummed(std::size_t count) {
    std::vector<std::uint8_t> bytes = counting(count);
    bytes.back() =
        static_cast<std::uint8_t>(0x7F - std::accumulate(bytes.begin(), bytes.end() - 1, 0));
    return bytes;
}

// The record text for `bytes` from `start` with the checksum of record `broken` (from 0) wrong.
std::string withBadChecksum(std::uint16_t start, const std::vector<std::uint8_t>& bytes,
                            int broken) {
    std::string text = recordText(start, bytes);
    std::size_t at = 0;
    for (int record = 0; record <= broken; ++record)
        at = text.find('S', at + 1);
    text[at - 1] = text[at - 1] == '0' ? '1' : '0';
    return text;
}

TEST(ParseReceivedText, TakesOnlyExactRecordsWithRightChecksumsUpToS9) {
    const std::string first = recordText(0x0100, counting(16)).substr(0, 42);
    const std::string second = recordText(0x0120, counting(16, 0x21)).substr(0, 42);
    const struct {
        const char* what;
        std::string text;
        bool data;
        std::uint16_t start;
        std::size_t count;
    } cases[] = {
        {"two records in a row", recordText(0x0100, counting(32)), true, 0x0100, 32},
        {"any order, the gap zero", second + first + "S9030000FC", true, 0x0100, 48},
        {"line breaks between records", first + "\r\n" + second + "\r\nS9030000FC", true, 0x0100,
         48},
        {"a record without data adds nothing", "S1030200FA" + first + "S9030000FC", true, 0x0100,
         16},
        {"text after S9 is not looked at", first + "S9030000FCS1zz", true, 0x0100, 16},
        {"no S9", first, false, 0, 0},
        {"no data byte at all", "S1030200FAS9030000FC", false, 0, 0},
        {"a wrong checksum", withBadChecksum(0x0100, counting(32), 1), false, 0, 0},
        {"characters after the checksum", first + "00S9030000FC", false, 0, 0},
        {"a count beyond the record", "S1130100AAS9030000FC", false, 0, 0},
        {"data past 0xFFFF", "S113FFF8" + std::string(34, '0') + "S9030000FC", false, 0, 0},
        {"another record type", "S00600004844521B" + first + "S9030000FC", false, 0, 0},
        {"noise before the first record", "x" + first + "S9030000FC", false, 0, 0},
        {"a character that is no digit", "S10501004G00S9030000FC", false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto parsed = parseReceivedText(c.text);
        ASSERT_EQ(parsed.has_value(), c.data);
        if (!c.data)
            continue;
        EXPECT_EQ(parsed->start, c.start);
        EXPECT_EQ(parsed->bytes.size(), c.count);
    }
    const auto gap = parseReceivedText(second + first + "S9030000FC");
    EXPECT_EQ(gap->bytes[0], 1);
    EXPECT_EQ(gap->bytes[16], 0);
    EXPECT_EQ(gap->bytes[32], 0x21);
}

TEST(ParsePartialText, KeepsTheGoodRecordsBeforeTheFault) {
    const std::string full = recordText(0x0100, counting(64));
    const struct {
        const char* what;
        std::string text;
        std::size_t count;
    } cases[] = {
        {"cut inside the fourth record", full.substr(0, 3 * 42 + 20), 48},
        {"cut after the third record", full.substr(0, 3 * 42), 48},
        {"a wrong checksum in the second", withBadChecksum(0x0100, counting(64), 1), 16},
        {"nothing complete", full.substr(0, 30), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ReceivedData part = parsePartialText(c.text);
        EXPECT_EQ(part.bytes.size(), c.count);
        if (c.count > 0) {
            EXPECT_EQ(part.start, 0x0100);
        }
    }
}

TEST(ReadCommand, LandsInTheImageAndKeepsTheSnapshot) {
    TransferRig t(0x0100, 0x012F);
    const auto bytes = checksummed(48);
    t.ecu.readTexts = {recordText(0x0100, bytes)};
    int refreshes = 0;
    auto context = t.context();
    auto document = t.document();

    EXPECT_EQ(readEcuCommand(context, document, [&] { ++refreshes; }), 0);

    EXPECT_EQ(t.imageBytes(), bytes);
    EXPECT_EQ(t.snapshot, bytes);
    EXPECT_EQ(t.modifiedMarks, 2); // the checksum fix, then the stored read
    EXPECT_EQ(refreshes, 1);
    ASSERT_EQ(t.rig.sink.shown.size(), 1u);
    EXPECT_EQ(t.rig.sink.shown[0].text, "Complete");
    EXPECT_EQ(t.rig.sink.shown[0].caption, "Read From ECU");
    EXPECT_EQ(t.rig.sink.shown[0].icon, app::Icon::Information);
    EXPECT_THAT(t.progress.events,
                ElementsAre("open:Read from ECU", "retry:", "status:Wait...3%", "status:Wait...6%",
                            "status:Wait...10%", "status:Wait...13%", "close"));
    EXPECT_FALSE(t.rig.link.portOpen() || t.rig.link.transferActive() ||
                 t.rig.link.foregroundBusy());
    EXPECT_EQ(t.rig.link.commLockDepth(), 0);

    // Reading the same data again changes no byte, so the document is not marked again.
    EXPECT_EQ(readEcuCommand(context, document, {}), 0);
    EXPECT_EQ(t.modifiedMarks, 2);
}

// The "(Retry)" event lines of the log: their time-out column holds the attempt number.
std::vector<int> retryNumbers(const std::vector<std::string>& lines) {
    std::vector<int> numbers;
    for (const std::string& line : lines) {
        if (!line.ends_with("(Retry)"))
            continue;
        std::size_t at = 0;
        for (int column = 0; column < 3; ++column)
            at = line.find(", ", at) + 2;
        numbers.push_back(std::stoi(line.substr(at)));
    }
    return numbers;
}

TEST(ReadEcu, AttemptsFollowCommandRetrycount) {
    const struct {
        int retryCount;
        std::vector<int> retries;
        std::vector<milliseconds> waits;
    } cases[] = {
        {0, {}, {}},
        {2, {1, 2}, {milliseconds(7), milliseconds(7)}},
        {-2, {1, 2}, {milliseconds(7), milliseconds(7)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.retryCount);
        LinkSettings settings = TransferRig::fastSettings();
        settings.commandRetryCount = c.retryCount;
        settings.echoBackWaitTimeReadEcu = 7;
        settings.echoBackReadWaitTime = 3;
        TransferRig t(0x0100, 0x010F, settings);
        t.rig.openLog();
        t.ecu.wrongCommandEcho = 'L';
        CompareData data;
        auto context = t.context();

        EXPECT_EQ(ReadEcu(context, data, PaneTarget::First, false), app::msg::FailedToCorrespond);

        EXPECT_EQ(data.errorText, "Failed to correspond with ECU.");
        EXPECT_EQ(retryNumbers(t.rig.logLines()), c.retries);
        EXPECT_EQ(t.rig.pump.sleeps, c.waits);
        const auto& written = t.rig.ports.line(0).written;
        EXPECT_EQ(std::count(written.begin(), written.end(), 'L'),
                  static_cast<long>(c.retries.size() + (c.retryCount < 0 ? 0 : 1)));
        EXPECT_TRUE(t.rig.sink.shown.empty());
    }
}

TEST(ReadEcu, AWrongEchoOfLEndsTheAttemptAndTheNextStartsWithAFlush) {
    LinkSettings settings = TransferRig::fastSettings();
    settings.commandRetryCount = 1;
    TransferRig t(0x0100, 0x0101, settings);
    t.rig.openLog();
    t.ecu.readTexts = {recordText(0x0100, {0xAB, 0xCD})};
    int commands = 0;
    t.rig.ports.line(0).respond = [&, normal = t.ecu.responder()](std::uint8_t byte) {
        if (byte == 'L' && ++commands == 1)
            return Bytes{0x00, 0x55}; // a wrong echo and a stale byte behind it
        return normal(byte);
    };
    CompareData data;
    auto context = t.context();

    EXPECT_EQ(ReadEcu(context, data, PaneTarget::First, true), 0);

    EXPECT_THAT(data.first.bytes, ElementsAre(0xAB, 0xCD));
    EXPECT_EQ(data.first.title, "ECU Data");
    EXPECT_TRUE(matchesGolden("read_retry_after_wrong_echo.log", t.rig.logText()));
}

TEST(ReadEcu, AnInterruptedReadKeepsThePartThatCameAndNamesTheFirstMissingAddress) {
    TransferRig t(0x0100, 0x013F);
    const std::string full = recordText(0x0100, counting(64));
    t.ecu.readTexts = {full.substr(0, 3 * 42 + 20)};
    const auto before = t.imageBytes();
    CompareData data;
    auto context = t.context();
    auto document = t.document();

    EXPECT_EQ(readFromEcu(context, document, data), app::msg::FailedToCorrespond);

    EXPECT_EQ(data.errorText, "Failed to correspond with ECU.\nRead Error Address : 0130");
    EXPECT_TRUE(data.first.partial);
    EXPECT_EQ(data.first.start, 0x0100);
    EXPECT_EQ(data.first.count(), 48u);
    EXPECT_EQ(data.first.rows, 3);
    EXPECT_EQ(t.imageBytes(), before);
    EXPECT_FALSE(t.snapshot);
}

TEST(ReadEcu, BadChecksumsAreRetriedAndNeverReachTheImage) {
    const auto bytes = counting(32);
    const std::string bad = withBadChecksum(0x0100, bytes, 1);
    const std::string good = recordText(0x0100, bytes);
    const struct {
        const char* what;
        std::vector<std::string> texts;
        int result;
    } cases[] = {
        {"bad on every attempt", {bad}, app::msg::FailedToCorrespond},
        {"bad once, then good", {bad, good}, app::msg::Success},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LinkSettings settings = TransferRig::fastSettings();
        settings.commandRetryCount = 1;
        TransferRig t(0x0100, 0x011F, settings);
        t.ecu.readTexts = c.texts;
        CompareData data;
        auto context = t.context();
        auto document = t.document();

        EXPECT_EQ(readFromEcu(context, document, data), c.result);

        EXPECT_EQ(t.ecu.reads, 2);
        EXPECT_EQ(t.imageBytes() == bytes, c.result == app::msg::Success);
        EXPECT_EQ(t.modifiedMarks, c.result == app::msg::Success ? 1 : 0);
        if (c.result != app::msg::Success) {
            EXPECT_EQ(data.errorText, "Failed to correspond with ECU.\nRead Error Address : 0110");
        }
    }
}

TEST(StoreReadData, RefusesAPaneThatIsNotExactlyTheDataRange) {
    const struct {
        const char* what;
        std::uint16_t start;
        std::size_t count;
    } cases[] = {
        {"another start", 0x0200, 48},
        {"the right start, but short", 0x0100, 32},
        {"the right start, but longer", 0x0100, 64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig t(0x0100, 0x012F);
        t.ecu.readTexts = {recordText(c.start, counting(c.count))};
        const auto before = t.imageBytes();
        CompareData data;
        auto context = t.context();
        auto document = t.document();

        EXPECT_EQ(readFromEcu(context, document, data), app::msg::AddressDoesNotCorrespond);

        EXPECT_EQ(data.errorText, "Address does not correspond");
        EXPECT_EQ(t.imageBytes(), before);
        EXPECT_EQ(t.modifiedMarks, 0);
        EXPECT_FALSE(data.imageChanged);
        EXPECT_FALSE(t.snapshot);
    }
}

TEST(ReadEcu, RefusalsAndCheckFailuresReachTheUser) {
    {
        SCOPED_TRACE("a port that keeps sending");
        TransferRig t(0x0100, 0x010F);
        ASSERT_TRUE(t.rig.link.openPort(false, 0, 10));
        t.rig.ports.line(0).endless = true;
        CompareData data;
        auto context = t.context();
        EXPECT_EQ(ReadEcu(context, data, PaneTarget::First, false), app::msg::DataRemainsInPort);
        ASSERT_EQ(t.rig.sink.shown.size(), 1u);
        EXPECT_EQ(t.rig.sink.shown[0].text, "The data to read remains in port.");
        EXPECT_EQ(t.rig.sink.shown[0].caption, "Read From ECU");
        EXPECT_TRUE(t.progress.events.empty());
        EXPECT_FALSE(t.rig.link.transferActive());
    }
    {
        SCOPED_TRACE("another ECU type, shown");
        TransferRig t(0x0100, 0x010F);
        t.rig.ports.line(0).respond = ecu({'X', 'Y'});
        CompareData data;
        auto context = t.context();
        EXPECT_EQ(ReadEcu(context, data, PaneTarget::Second, true), app::msg::EcuTypeDifferent);
        ASSERT_EQ(t.rig.sink.shown.size(), 1u);
        EXPECT_EQ(t.rig.sink.shown[0].text, "ECU type is different.");
        EXPECT_EQ(t.rig.sink.shown[0].icon, app::Icon::Exclamation);
        EXPECT_THAT(t.progress.events, ElementsAre("open:Read from ECU", "close"));
    }
}

} // namespace
} // namespace qmx::ecu::test
