#include "ecu/ecuread.h"

#include "ecu/ecuwrite.h"
#include "fakes.h"
#include "maps/maptestutil.h"
#include "transferrig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

// S1 records for `count` bytes counting up from 1 at `start`, then "S9030000FC".
std::string records(std::uint16_t start, std::size_t count) {
    DataPane pane;
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i + 1);
    pane.fill(start, bytes, "");
    std::string text;
    for (const std::string& record : recordTexts(pane))
        text += record;
    return text;
}

TEST(ParseReceivedText, TakesOnlyExactRecordsWithRightChecksums) {
    const std::string full = records(0x0100, 64); // four records of 42 characters
    const std::string first = full.substr(0, 42);
    const std::string third = full.substr(84, 42);
    const struct {
        const char* what;
        std::string text;
        std::size_t count;   // of a complete read; 0: the text yields nothing
        std::size_t partial; // of an interrupted read
    } cases[] = {
        {"four records in a row", full, 64, 64},
        {"any order, the gap zero", third + first + "S9030000FC", 48, 48},
        {"line breaks between records", first + "\r\n" + third + "\r\nS9030000FC", 48, 48},
        {"a record without data adds nothing", "S1030200FA" + first + "S9030000FC", 16, 16},
        {"text after S9 is not looked at", first + "S9030000FCS1zz", 16, 16},
        {"no data byte at all", "S1030200FAS9030000FC", 0, 0},
        {"characters after the checksum", first + "00S9030000FC", 0, 0},
        {"a count beyond the record", "S1130100AAS9030000FC", 0, 0},
        {"data past 0xFFFF", "S113FFF8" + std::string(34, '0') + "S9030000FC", 0, 0},
        {"noise before the first record", "x" + first + "S9030000FC", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto parsed = parseReceivedText(c.text);
        EXPECT_EQ(parsed ? parsed->bytes.size() : 0, c.count);
        const ReceivedData part = parsePartialText(c.text);
        EXPECT_EQ(part.bytes.size(), c.partial);
        if (parsed) {
            EXPECT_EQ(parsed->start, 0x0100);
            EXPECT_EQ(parsed->bytes[0], 1);
        }
    }
    const auto gap = parseReceivedText(third + first + "S9030000FC");
    EXPECT_EQ(gap->bytes[16], 0);
    EXPECT_EQ(gap->bytes[32], 33);
}

TEST(StoreReadData, TakesOnlyAPaneOfExactlyTheDataRange) {
    const struct {
        const char* what;
        std::uint16_t start;
        std::size_t count;
        int result;
    } cases[] = {
        {"the data range", 0x0100, 48, text::msg::Success},
        {"the right start, but short", 0x0100, 32, text::msg::AddressDoesNotCorrespond},
        {"the right start, but longer", 0x0100, 64, text::msg::AddressDoesNotCorrespond},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DocumentRig rig(0x0100, 0x012F);
        CompareData data;
        data.first.fill(c.start, std::vector<std::uint8_t>(c.count, 9), "ECU Data");
        RecordingSink sink;
        auto document = rig.document();

        EXPECT_EQ(storeReadData(document, data, sink, true), c.result);

        const bool stored = c.result == text::msg::Success;
        EXPECT_EQ(rig.imageBytes() == std::vector<std::uint8_t>(48, 9), stored);
        EXPECT_EQ(rig.modifiedMarks, stored ? 1 : 0);
        EXPECT_EQ(data.imageChanged, stored);
        ASSERT_EQ(sink.shown.size(), stored ? 0u : 1u);
        if (!stored) {
            EXPECT_EQ(sink.shown[0].text, "Address does not correspond");
            EXPECT_EQ(sink.shown[0].caption, "Read From ECU");
        }
        // The same bytes again change nothing, so the document is not marked again.
        if (stored) {
            EXPECT_EQ(storeReadData(document, data, sink, true), 0);
            EXPECT_EQ(rig.modifiedMarks, 1);
        }
    }
}

TEST(StoreReadData, LinkedMapsReceiveNoCopies) {
    DocumentRig rig(0x0100, 0x011F);
    // INJ2 lies before INJ1, so a copy of INJ1's bytes would overwrite what was stored in INJ2.
    rig.maps.add(maps::test::freeMap(rig.image, 0x0100, 2, 2, maps::MapKind::Shared, "INJ2"));
    rig.maps.add(maps::test::freeMap(rig.image, 0x0110, 2, 2, maps::MapKind::Shared, "INJ1"));
    rig.maps.link().set(maps::LinkMode::All, {"INJ1", "INJ2"});
    std::vector<std::uint8_t> ecu = rig.imageBytes();
    std::fill(ecu.begin() + 0x06, ecu.begin() + 0x0A, 9); // INJ2's cells
    std::fill(ecu.begin() + 0x16, ecu.begin() + 0x1A, 5); // INJ1's cells
    CompareData data;
    data.first.fill(0x0100, ecu, "ECU Data");
    RecordingSink sink;
    auto document = rig.document();

    EXPECT_EQ(storeReadData(document, data, sink, true), 0);
    EXPECT_EQ(rig.imageBytes(), ecu);
}

TEST(ReadEcu, APortThatKeepsSendingIsRefusedWithAMessage) {
    LinkRig rig(uncheckedSettings());
    rig.ports.line(0).endless = true;
    ASSERT_EQ(rig.link.openPort(false, 0, 10), 0);
    RecordingProgress progress;
    TransferContext context{rig.link, progress, rig.sink};
    CompareData data;

    EXPECT_EQ(ReadEcu(context, data, PaneTarget::First, false), text::msg::DataRemainsInPort);

    ASSERT_EQ(rig.sink.shown.size(), 1u);
    EXPECT_EQ(rig.sink.shown[0].caption, "Read From ECU");
    EXPECT_TRUE(progress.events.empty());
    EXPECT_FALSE(rig.link.arbiter().transferActive() || rig.link.arbiter().foregroundBusy());
    EXPECT_EQ(rig.link.arbiter().commLockDepth(), 0);
}

} // namespace
} // namespace qmx::ecu::test
