#include "ecu/adapterlatency.h"

#include "fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

// A USB adapter ttyUSB0 in a small /sys whose driver's latency timer is `timer`, and the log the
// tuning writes into.
struct AdapterRig {
    AdapterRig() : latency(folder.file("sys"), log) {
        fs::create_directories(folder.file("sys/ttyUSB0/device"));
        fs::create_directories(folder.file("dev"));
        device = folder.write("dev/ttyUSB0", "");
        EXPECT_EQ(log.open(folder.file("commo.log"), false, "test", sink), 0);
        latency.setNoticeSink(&sink);
    }
    std::vector<std::string> logLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : logLinesOf(folder.file("commo.log")))
            lines.push_back(line.substr(line.find(", ") + 2));
        return lines;
    }

    testing::TempFolder folder;
    std::string device;
    RecordingSink sink;
    CommoLog log;
    AdapterLatency latency;
};

TEST(AdapterLatency, ATimerAbove1MsIsLoweredAndTheLogSaysWhatWasSet) {
    AdapterRig rig;
    const std::string timer = rig.folder.write("sys/ttyUSB0/device/latency_timer", "16\n");

    rig.latency.tune("** COM33: ", rig.device, platform::OpenNotes{});

    EXPECT_EQ(testing::readAll(timer), "1\n");
    EXPECT_THAT(rig.logLines(),
                ElementsAre("00, 0, 0, 0, ** COM33: low latency set",
                            "00, 0, 0, 0, ** COM33: latency timer 16 ms, set to 1 ms"));
    EXPECT_TRUE(rig.sink.shown.empty());
}

TEST(AdapterLatency, ATimerThatCannotBeChangedIsSaidOnceWithTheCommandThatFixesIt) {
    AdapterRig rig;
    // A number that not even root may change stands in for a timer only root may change.
    fs::create_symlink("/proc/sys/kernel/ngroups_max",
                       rig.folder.file("sys/ttyUSB0/device/latency_timer"));
    const std::string limit = testing::readAll("/proc/sys/kernel/ngroups_max");
    const std::string ms = limit.substr(0, limit.find('\n'));
    platform::OpenNotes refused;
    refused.lowLatencyError = ENOTTY;

    rig.latency.tune("** COM33: ", rig.device, refused);
    rig.latency.tune("** COM33: ", rig.device, refused);

    const std::string stays = "00, 0, 0, 0, ** COM33: latency timer stays at " + ms + " ms";
    const std::string notAvailable =
        "00, 0, 0, 0, ** COM33: low latency not available: Inappropriate ioctl for device";
    EXPECT_THAT(rig.logLines(), ElementsAre(notAvailable, stays, notAvailable, stays));
    ASSERT_EQ(rig.sink.shown.size(), 1u);
    EXPECT_EQ(rig.sink.shown[0].text,
              text::messageText(text::msg::AdapterLatency,
                                {fs::canonical(rig.device).string(), ms,
                                 rig.folder.file("sys/ttyUSB0/device/latency_timer")}));
    EXPECT_THAT(rig.sink.shown[0].text,
                ::testing::EndsWith("\necho 1 | sudo tee " +
                                    rig.folder.file("sys/ttyUSB0/device/latency_timer")));
}

} // namespace
} // namespace qmx::ecu::test
