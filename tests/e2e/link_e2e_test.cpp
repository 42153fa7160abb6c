#include "e2erig.h"

#include "ecu/ecucheck.h"
#include "ecu/exchange.h"
#include "ecu/singlewrite.h"
#include "text/messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>

namespace qmx::e2e {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The lines after the last one that holds `text`; none when no line holds it.
std::vector<std::string> linesAfter(const std::vector<std::string>& lines, std::string_view text) {
    auto it = lines.end();
    while (it != lines.begin() && std::prev(it)->find(text) == std::string::npos)
        --it;
    if (it == lines.begin())
        return {};
    return {it, lines.end()};
}

// What every open of COM1 on a pseudo-terminal logs: it has no low-latency mode, so the request
// fails, is logged, and the port serves all the same.
const std::string kLowLatencyRefused =
    "00, 0, 0, 0, ** COM1: low latency not available: Inappropriate ioctl for device";

HomeSettings withoutCheck(int timeout = 100) {
    HomeSettings settings;
    settings.timeout = timeout;
    settings.ecuCheckResult = "hex:00,00";
    return settings;
}

TEST(SingleValueWriteE2e, ByteWriteLogsEveryExchangeInTheLogFormat) {
    Rig rig;
    auto sim = startEcusim(rig.home, 0, {}, true);
    EXPECT_EQ(ecu::writeEcuByte(rig.link(), rig.progress, rig.sink, 0x1234, 0xAB), 0);
    EXPECT_TRUE(sim->waitForError("stored byte AB at 1234"));
    EXPECT_THAT(rig.sink.shown, IsEmpty());

    // Port closed before: the check at the open (with retries; no machine code yet, so "7E"
    // stands in without a query) identifies the ECU for the write, which flushes and sends S,
    // address, value.
    EXPECT_THAT(
        rig.home.logLines(),
        ElementsAre(
            "00, 0, 0, 0, ** Open COM1", kLowLatencyRefused,
            "BF, 1, 100, 0, WriteFile:EcuCheckCommand [  1/  3]",
            "4B, 1, 100, 0, ReadFile:EcuCheckCommand1", "44, 1, 100, 0, ReadFile:EcuCheckCommand1",
            "FF, 0, 100, 0, ReadFile:EcuCheckCommand1", "00, 1, 0, 0, ** R Open COM1:Success",
            "FF, 0, 100, 0, ReadFile:Dummy Read", "53, 1, 100, 0, WriteFile:OutComm",
            "53, 1, 50, 0, ReadFile:OutComm", "12, 1, 50, 0, WriteFile:OutComm",
            "12, 1, 50, 0, ReadFile:OutComm", "34, 1, 50, 0, WriteFile:OutComm",
            "34, 1, 50, 0, ReadFile:OutComm", "AB, 1, 50, 0, WriteFile:OutComm",
            "AB, 1, 50, 0, ReadFile:OutComm", "00, 1, 0, 0, ** Close COM1"));

    // The header above the lines.
    EXPECT_TRUE(testing::readAll(rig.home.logPath())
                    .starts_with("**\n* e2e\n*\ntime, Buffer, NumberOfBytesReadOrWrite, timeOut, "
                                 "GetLastError, FunctionName\n\n"));
}

TEST(EchoE2e, SingleValueWriteStopsAtTheFirstWrongEcho) {
    Rig rig(withoutCheck());
    auto sim = startEcusim(rig.home, 0, {"--wrong-echo", "3"});
    EXPECT_EQ(ecu::writeEcuByte(rig.link(), rig.progress, rig.sink, 0x1234, 0xAB),
              text::msg::NoResponseFromEcu);
    ASSERT_EQ(rig.sink.shown.size(), 1u);
    EXPECT_EQ(rig.sink.shown[0].text, "No response from ECU.");
    // One read brought the complemented echo; no second read waited for another byte.
    EXPECT_THAT(linesAfter(rig.home.logLines(), "ReadFile:Dummy Read"),
                ElementsAre("53, 1, 0, 0, WriteFile:OutComm", "53, 1, 50, 0, ReadFile:OutComm",
                            "12, 1, 50, 0, WriteFile:OutComm", "12, 1, 50, 0, ReadFile:OutComm",
                            "34, 1, 50, 0, WriteFile:OutComm", "CB, 1, 50, 0, ReadFile:OutComm",
                            "00, 1, 0, 0, ** Close COM1"));
}

double processorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

TEST(TimeoutE2e, WaitingForASilentEcuOnATerminalUsesLittleProcessorTime) {
    Rig rig(withoutCheck(25)); // 25 ms per read, 25 ticks: a wait of about 2.5 s
    auto sim = startEcusim(rig.home, 0, {"--silence-after", "0"});
    ASSERT_EQ(rig.link().openPort(true, 0, 25), 0);

    const double cpuBefore = processorSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    EXPECT_FALSE(ecu::OutComm(rig.link(), 'L', 0));
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    const double cpu = processorSeconds() - cpuBefore;
    EXPECT_EQ(rig.link().countdown().left(), 0u); // the wait ran until the countdown ran out

    // A wait that spun would burn about as much processor time as wall time.
    EXPECT_LT(cpu, 0.2 * wall.count()) << "cpu " << cpu << " s, wall " << wall.count() << " s";
}

struct CheckCase {
    const char* name;
    std::vector<std::string> ecusim;
    std::string ecuCheckResult; // registry data; empty: the default "KD"
    std::string machineCode;    // the configuration's; empty: none
    int atOpen;                 // the check with retries run by the open
    int again;                  // a second check without retries
    int typeQueries;            // 0xBF bytes sent by both checks
    int machineQueries;         // 0xBE bytes sent by both checks
};

TEST(EcuCheckE2e, MatchRulesAgainstTheAnswersOfEcusim) {
    using text::msg::EcuTypeDifferent;
    using text::msg::EcuTypeDifferentBang;
    using text::msg::NoResponseFromEcu;
    const CheckCase cases[] = {
        {"machine code inside its answer", {"--machine-code", "xAB"}, "", "AB", 0, 0, 2, 2},
        {"one byte counts as no answer",
         {"--ecu-code", "K"},
         "",
         "",
         NoResponseFromEcu,
         NoResponseFromEcu,
         3 + 1,
         0},
        {"other code at open, repeated ECRETRY times",
         {"--ecu-code", "KX"},
         "",
         "",
         EcuTypeDifferent,
         EcuTypeDifferent,
         2 + 1,
         0},
        {"first code byte 0 sends nothing", {"--wrong-id", "both"}, "hex:00,44", "AB", 0, 0, 0, 0},
        {"7E stands in once, then is asked for", {}, "", "", 0, 0, 2, 1},
        {"7E asked for the second time",
         {"--machine-code", "AB"},
         "",
         "",
         0,
         EcuTypeDifferentBang,
         2,
         1},
        {"other machine",
         {"--machine-code", "AB"},
         "",
         "CD",
         EcuTypeDifferentBang,
         EcuTypeDifferentBang,
         2,
         2},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        HomeSettings settings;
        settings.ecuCheckResult = c.ecuCheckResult;
        Rig rig(settings);
        rig.host->applyConfiguration(rig.settings.startup.line, 1, c.machineCode);
        auto sim = startEcusim(rig.home, 0, c.ecusim);

        int atOpen = -1;
        ASSERT_EQ(rig.link().openPort(false, 0, 100, &atOpen), 0);
        EXPECT_EQ(atOpen, c.atOpen);
        EXPECT_EQ(ecu::EcuCheckCommand(rig.link(), false), c.again);
        rig.link().closePort();

        int type = 0;
        int machine = 0;
        for (const std::string& line : rig.home.logLines()) {
            type += line.starts_with("BF, 1, ") ? 1 : 0;
            machine += line.starts_with("BE, 1, ") ? 1 : 0;
        }
        EXPECT_EQ(type, c.typeQueries);
        EXPECT_EQ(machine, c.machineQueries);
    }
}

} // namespace
} // namespace qmx::e2e
