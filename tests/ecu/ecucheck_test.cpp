#include "ecu/ecucheck.h"

#include "fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

// Port 0 open (its check passed and set the machine code "7E"); the ECU then answers the type
// query with `type`. What the open sent is forgotten.
struct CheckRig : LinkRig {
    explicit CheckRig(Bytes type, LinkSettings settings = testSettings())
        : LinkRig(settings), line(ports.line(0)) {
        line.respond = ecu();
        EXPECT_TRUE(link.openPort(false, 0, 50));
        line.respond = ecu(std::move(type));
        line.written.clear();
    }
    FakeLine& line;
};

TEST(EcuCheck, TypeAnswerMustHoldTheCodeSideBySide) {
    const struct {
        const char* what;
        Bytes answer;
        int result;
    } cases[] = {
        {"code alone", {'K', 'D'}, 0},
        {"four bytes, code in the middle", {0x01, 'K', 'D', 0x02}, 0},
        {"code reversed", {'D', 'K'}, app::msg::EcuTypeDifferent},
        {"code split apart", {'K', 0, 'D'}, app::msg::EcuTypeDifferent},
        {"code past the fifth byte", {1, 2, 3, 4, 'K', 'D'}, app::msg::EcuTypeDifferent},
        {"one byte counts as none", {'K'}, app::msg::NoResponseFromEcu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CheckRig rig(c.answer);
        EXPECT_EQ(EcuCheckCommand(rig.link, false), c.result);
        EXPECT_EQ(rig.link.checkPassed(), c.result == 0);
        EXPECT_EQ(rig.line.written, c.result == 0 ? Bytes({0xBF, 0xBE}) : Bytes{0xBF});
    }
}

TEST(EcuCheck, FirstCodeByteZeroSkipsBothQueries) {
    LinkSettings settings = testSettings();
    settings.ecuCode = {0, 'D'};
    CheckRig rig({'X', 'X'}, settings);
    EXPECT_EQ(EcuCheckCommand(rig.link, true), 0);
    EXPECT_TRUE(rig.link.checkPassed());
    EXPECT_TRUE(rig.line.written.empty());
}

TEST(EcuCheck, WithoutMachineCodeTheFirstCheckPassesAndLaterOnesExpect7E) {
    LinkRig rig;
    FakeLine& line = rig.ports.line(0);
    line.respond = ecu({'K', 'D'}, {'A', '1'});
    ASSERT_TRUE(rig.link.openPort(false, 0, 50)); // the first check of the run
    EXPECT_EQ(rig.link.machineCode(), "7E");
    EXPECT_EQ(EcuCheckCommand(rig.link, false), app::msg::EcuTypeDifferentBang);
    EXPECT_FALSE(rig.link.checkPassed());

    line.respond = ecu({'K', 'D'}, {0x00, '7', 'E'});
    EXPECT_EQ(EcuCheckCommand(rig.link, false), 0);
    EXPECT_THAT(line.written, ElementsAre(0xBF, 0xBF, 0xBE, 0xBF, 0xBE));
}

TEST(EcuCheck, RetriesAreCountedFromOneInTheLog) {
    for (const bool retries : {true, false}) {
        CheckRig rig(Bytes{});
        rig.openLog();
        rig.pump.sleeps.clear();
        EXPECT_EQ(EcuCheckCommand(rig.link, retries), app::msg::NoResponseFromEcu);

        const std::size_t attempts = retries ? 10 : 1; // RETRY 9
        EXPECT_EQ(rig.line.written, Bytes(attempts, 0xBF));
        EXPECT_EQ(rig.pump.sleeps, std::vector<milliseconds>(retries ? 10 : 0, milliseconds(100)));
        std::vector<std::string> labels;
        for (const std::string& line : rig.logLines()) {
            if (line.find("WriteFile:") != std::string::npos)
                labels.push_back(line.substr(line.find(':') + 1));
            else
                EXPECT_EQ(line, "0, FF, 0, 50, 0, ReadFile:EcuCheckCommand1");
        }
        ASSERT_EQ(labels.size(), attempts);
        EXPECT_EQ(labels.front(),
                  retries ? "EcuCheckCommand [  1/ 10]" : "EcuCheckCommand [  1/  1]");
        EXPECT_EQ(labels.back(),
                  retries ? "EcuCheckCommand [ 10/ 10]" : "EcuCheckCommand [  1/  1]");
    }
}

} // namespace
} // namespace qmx::ecu::test
