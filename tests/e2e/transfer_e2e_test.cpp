#include "e2erig.h"

#include "app/configuration.h"
#include "config/srecords.h"
#include "ecu/compare.h"
#include "ecu/ecuread.h"
#include "ecu/ecuwrite.h"
#include "ecu/transfercommands.h"
#include "support/linesof.h"
#include "text/messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <signal.h>

// Reads and writes through the real link against ecusim.
namespace qmx::e2e {
namespace {

// A configuration over `low` .. `high` (no file behind it) and the link of a test home, with
// CommandRetrycount `retries` and the ECU check switched off.
struct TransferRig {
    TransferRig(std::uint16_t low, std::uint16_t high, int retries = 0,
                std::vector<std::string> registryLines = {})
        : rig(homeSettings(std::move(registryLines))),
          configuration(std::make_unique<app::Configuration>()) {
        configuration->image.setRange(low, high);
        config::fixImageChecksum(configuration->image);
        configuration->path = "/cal/car.rcz";
        rig.host->applyConfiguration(rig.settings.startup.line, retries, "7E");
    }

    static HomeSettings homeSettings(std::vector<std::string> registryLines) {
        HomeSettings settings;
        settings.timeout = 30;
        settings.ecuCheckResult = "hex:00,00";
        settings.registryLines = std::move(registryLines);
        return settings;
    }

    ecu::EcuDocument document() {
        return {configuration->lines,
                configuration->maps,
                formats,
                configuration->path,
                rig.settings.registryValues.machineFolder,
                snapshot};
    }
    ecu::TransferContext context() { return {rig.link(), rig.progress, rig.sink}; }
    std::vector<std::uint8_t> imageBytes() const {
        const config::EcuImage& image = configuration->image;
        return {image.data() + image.low(), image.data() + image.high() + 1};
    }
    // Writes `bytes` from `start` as an S-record file for ecusim's --image.
    std::string imageFile(std::uint16_t start, const std::vector<std::uint8_t>& bytes) {
        config::EcuImage image;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            image.setByte(static_cast<std::uint16_t>(start + i), bytes[i]);
        return rig.home.writeSRecords(image, start, bytes.size());
    }

    Rig rig;
    std::unique_ptr<app::Configuration> configuration;
    text::NumberFormats formats;
    std::optional<std::vector<std::uint8_t>> snapshot;
};

std::vector<std::uint8_t> pattern(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return bytes;
}

// Column `n` (from 0) of a log line whose time column was taken off.
std::string column(const std::string& line, int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i)
        at = line.find(", ", at) + 2;
    return line.substr(at, line.find(',', at) - at);
}

TEST(ReadE2e, AttemptsAndTheirWaitsFollowCommandRetrycount) {
    constexpr long kWait = 60;
    const struct {
        int retries;
        std::vector<std::string> numbers; // the time-out column of the "(Retry)" lines
        std::size_t attempts;
    } cases[] = {{0, {}, 1}, {2, {"1", "2"}, 3}, {-2, {"1", "2"}, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.retries);
        TransferRig t(0x8000, 0x80FF, c.retries,
                      {"\"EchoBackWaitTime_ReadECU\"=\"" + std::to_string(kWait) + "\""});
        // Every 'L' is echoed wrong; the device drops the half command before the next.
        auto sim = startEcusim(t.rig.home, 0,
                               {"--wrong-echo", "1", "--wrong-echo", "2", "--wrong-echo", "3",
                                "--command-timeout", "10"});
        ecu::CompareData data;
        auto context = t.context();

        EXPECT_EQ(ecu::ReadEcu(context, data, ecu::PaneTarget::First, false),
                  text::msg::FailedToCorrespond);

        std::vector<std::string> numbers;
        std::vector<long> commandWaits; // from each 'L' sent to its echo
        long sentAt = -1;
        for (const auto& [time, line] : t.rig.home.timedLogLines()) {
            if (line.ends_with("(Retry)"))
                numbers.push_back(column(line, 2));
            if (line.starts_with("4C, 1,") && line.ends_with("WriteFile:OutComm"))
                sentAt = time;
            if (line.ends_with("ReadFile:OutComm") && sentAt >= 0) {
                commandWaits.push_back(time - sentAt);
                sentAt = -1;
            }
        }
        EXPECT_EQ(numbers, c.numbers);
        ASSERT_EQ(commandWaits.size(), c.attempts);
        // Every numbered attempt pauses after the command byte.
        for (std::size_t i = c.retries < 0 ? 0 : 1; i < commandWaits.size(); ++i)
            EXPECT_GE(commandWaits[i], kWait) << "attempt " << i;
    }
}

TEST(ReadE2e, AWrongEchoOfLFailsTheAttemptAndTheNextStartsWithAFlush) {
    TransferRig t(0x8000, 0x800F, 1);
    // The device drops the half command while the flush waits for silence.
    auto sim = startEcusim(
        t.rig.home, 0, {"--range", "8000-800F", "--wrong-echo", "1", "--command-timeout", "10"});
    ecu::CompareData data;
    auto context = t.context();

    EXPECT_EQ(ecu::ReadEcu(context, data, ecu::PaneTarget::First, false), 0);

    const std::vector<std::string> lines = t.rig.home.logLines();
    const auto retry = std::find(lines.begin(), lines.end(), "00, 0, 1, 0, (Retry)");
    ASSERT_NE(retry, lines.end());
    EXPECT_TRUE(std::prev(retry)->ends_with("ReadFile:OutComm"));
    EXPECT_NE(column(*std::prev(retry), 0), "4C"); // the wrong echo
    EXPECT_TRUE(std::next(retry)->ends_with("ReadFile:ReadEcu"));
    EXPECT_EQ(data.first.count(), 16u);
}

TEST(ReadE2e, AFailedReadLeavesTheImageUntouched) {
    const struct {
        const char* what;
        std::vector<std::string> ecusim;
        int retries;
        int result;
        const char* error;
        std::size_t partial; // bytes the pane keeps, marked partial
    } cases[] = {
        // 'L' and 'R' echoed, then three records and a part of the fourth.
        {"an interrupted read",
         {"--silence-after", std::to_string(2 + 3 * 42 + 20)},
         0,
         text::msg::FailedToCorrespond,
         "Failed to correspond with ECU.\nRead Error Address : 8030",
         48},
        {"a bad checksum in the second record, retried",
         {"--bad-checksum", "2"},
         1,
         text::msg::FailedToCorrespond,
         "Failed to correspond with ECU.\nRead Error Address : 8010",
         16},
        {"data of another range",
         {"--range", "9000-90FF"},
         0,
         text::msg::AddressDoesNotCorrespond,
         "Address does not correspond",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig t(0x8000, 0x80FF, c.retries);
        auto sim = startEcusim(t.rig.home, 0, c.ecusim);
        const auto before = t.imageBytes();
        ecu::CompareData data;
        auto context = t.context();
        auto document = t.document();

        EXPECT_EQ(ecu::readFromEcu(context, document, data), c.result);

        EXPECT_EQ(data.errorText, c.error);
        EXPECT_EQ(data.first.partial, c.partial > 0);
        if (c.partial > 0) {
            EXPECT_EQ(data.first.count(), c.partial);
        }
        const std::vector<std::string> lines = t.rig.home.logLines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "00, 0, 1, 0, (Retry)"), c.retries);
        EXPECT_EQ(t.imageBytes(), before);
        EXPECT_FALSE(t.configuration->modified || t.snapshot);
    }
}

// A progress window that runs `act` once, when the status line has changed `after` times.
class ActingProgress : public testing::RecordingProgress {
public:
    ActingProgress(int after, std::function<void()> act) : m_after(after), m_act(std::move(act)) {}
    void setStatus(std::string_view text) override {
        RecordingProgress::setStatus(text);
        if (--m_after == 0)
            m_act();
    }

private:
    int m_after;
    std::function<void()> m_act;
};

TEST(ReadE2e, APulledCableEndsTheReadAndTheSameLinkReadsAgainAfterTheReplug) {
    TransferRig t(0x8000, 0x80FF);
    std::vector<std::uint8_t> ecuData = pattern(256);
    ecuData.back() =
        static_cast<std::uint8_t>(0x7F - std::accumulate(ecuData.begin(), ecuData.end() - 1, 0u));
    const std::string image = t.imageFile(0x8000, ecuData);
    // At the line rate of 9600 baud the read is still running at its third record.
    auto sim = startEcusim(t.rig.home, 0, {"--image", image, "--baud", "9600"});
    ActingProgress progress(3, [&] { kill(sim->pid(), SIGKILL); });
    ecu::TransferContext context{t.rig.link(), progress, t.rig.sink};
    auto document = t.document();

    EXPECT_EQ(ecu::readEcuCommand(context, document, {}), text::msg::FailedToCorrespond);

    ASSERT_EQ(t.rig.sink.shown.size(), 1u);
    EXPECT_THAT(t.rig.sink.shown[0].text,
                ::testing::StartsWith("Failed to correspond with ECU.\nRead Error Address : 80"));
    EXPECT_THAT(
        t.rig.sink.shown[0].text,
        ::testing::EndsWith("\n" + std::string(text::messageText(text::msg::PortLost, "COM1"))));
    EXPECT_FALSE(t.rig.link().portOpen());
    // The device was closed at the first failed read; nothing waited on it afterwards.
    const std::vector<std::string> lines = t.rig.home.logLines();
    const auto lost = std::find(lines.begin(), lines.end(), "00, 0, 0, 5, ** Lost COM1");
    ASSERT_NE(lost, lines.end());
    EXPECT_EQ(std::vector<std::string>(lost + 1, lines.end()),
              std::vector<std::string>{"00, 1, 0, 5, ** Close COM1"});

    // The adapter is back: the same link opens the port again and reads.
    sim = startEcusim(t.rig.home, 0, {"--image", image});
    t.rig.sink.shown.clear();
    auto again = t.context();
    EXPECT_EQ(ecu::readEcuCommand(again, document, {}), 0);
    EXPECT_EQ(t.imageBytes(), ecuData);
    EXPECT_TRUE(t.configuration->modified);
    EXPECT_EQ(t.snapshot, ecuData);
}

TEST(WriteE2e, TheResultByteAndTheFailingAddressReachTheTexts) {
    const struct {
        const char* what;
        std::vector<std::string> ecusim;
        int result;
        const char* status;
        const char* error;
    } cases[] = {
        {"a result byte with a response line",
         {"--write-result", "1"},
         0,
         "Checksum error in ECU",
         ""},
        {"a result byte without one", {"--write-result", "7"}, 0, "", ""},
        // 'L', 'W' and four records of 42 characters: the 13th of the record for 0x8040.
        {"a wrong echo inside a record",
         {"--wrong-echo", "183"},
         text::msg::FailedToCorrespond,
         "",
         "Failed to correspond with ECU.\nWrite Error Address : 8042"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig t(0x8000, 0x807F);
        t.configuration->lines = testing::linesOf(
            {"[Error Message]", "0,Write complete", "1,Checksum error in ECU", "[Calib]"});
        std::vector<std::string> args{"--range", "8000-807F"};
        args.insert(args.end(), c.ecusim.begin(), c.ecusim.end());
        auto sim = startEcusim(t.rig.home, 0, args);
        ecu::CompareData data;
        auto context = t.context();
        auto document = t.document();

        EXPECT_EQ(ecu::writeToEcu(context, document, data), c.result);
        EXPECT_EQ(data.statusText, c.status);
        EXPECT_EQ(data.errorText, c.error);
        EXPECT_EQ(t.snapshot.has_value(), c.result == 0);
    }
}

} // namespace
} // namespace qmx::e2e
