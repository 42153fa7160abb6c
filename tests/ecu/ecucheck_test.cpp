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
    explicit CheckRig(Bytes type) : line(ports.line(0)) {
        line.respond = ecu();
        EXPECT_EQ(link.openPort(false, 0, 50), 0);
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
        {"four bytes, code in the middle", {0x01, 'K', 'D', 0x02}, 0},
        {"code reversed", {'D', 'K'}, text::msg::EcuTypeDifferent},
        {"code split apart", {'K', 0, 'D'}, text::msg::EcuTypeDifferent},
        {"code past the fifth byte", {1, 2, 3, 4, 'K', 'D'}, text::msg::EcuTypeDifferent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CheckRig rig(c.answer);
        EXPECT_EQ(EcuCheckCommand(rig.link, false), c.result);
        EXPECT_EQ(rig.link.identity().checkPassed(), c.result == 0);
        EXPECT_EQ(rig.line.written, c.result == 0 ? Bytes({0xBF, 0xBE}) : Bytes{0xBF});
    }
}

} // namespace
} // namespace qmx::ecu::test
