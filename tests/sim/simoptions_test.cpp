#include "sim/simoptions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace qmx::sim {
namespace {

using namespace std::chrono_literals;

TEST(SimOptions, ValueParsersTakeOnlyTheirExactForms) {
    EXPECT_EQ(parseByteValue("0"), 0x30);
    EXPECT_EQ(parseByteValue("0x7f"), 0x7F);
    for (const char* bad : {"", "0x", "0x100", "0xG1", "12"})
        EXPECT_FALSE(parseByteValue(bad)) << bad;
    EXPECT_EQ(parseRange("8000-80ff"), (std::pair<std::uint16_t, std::uint16_t>{0x8000, 0x80FF}));
    for (const char* bad : {"8000", "80FF-8000", "8000-10000", "8000--80FF", "-1-5"})
        EXPECT_FALSE(parseRange(bad)) << bad;
    EXPECT_EQ(parseHexBytes("ff00"), (std::vector<std::uint8_t>{0xFF, 0x00}));
    EXPECT_FALSE(parseHexBytes("F0F"));

    const auto item = parseMonitorItem("2a:2:300:-5:250");
    ASSERT_TRUE(item);
    EXPECT_EQ(std::tie(item->request, item->length, item->start, item->step),
              std::make_tuple(std::uint8_t{0x2A}, 2, std::int64_t{300}, std::int64_t{-5}));
    EXPECT_EQ(item->period, 250ms);
    EXPECT_EQ(parseMonitorItem("21:1:7")->period, 1000ms);
    for (const char* bad : {"21:1", "21:3:7", "121:1:7", "21:1:7:1:0", "21:1:x", "21:1:7:1:5:6"})
        EXPECT_FALSE(parseMonitorItem(bad)) << bad;
}

struct Parsed {
    std::optional<int> exitCode;
    std::string err;
};

Parsed parse(std::vector<const char*> args, SimSetup& setup) {
    args.insert(args.begin(), "ecusim");
    std::ostringstream out;
    std::ostringstream err;
    Parsed parsed;
    parsed.exitCode = parseCommandLine(static_cast<int>(args.size()), args.data(), setup, out, err);
    parsed.err = err.str();
    return parsed;
}

TEST(SimOptions, UsageErrorsEndWithStatusTwo) {
    const std::vector<std::vector<const char*>> cases{
        {"--range", "80FF-8000"},
        {"--ecu-code", "ABCDEF"},
        {"--monitor", "4C:1:0"},
        {"--monitor", "21:1:0", "--monitor", "21:2:0"},
        {"--write-result", "0x"},
        {"--noise", "F"},
        {"--wrong-id", "all"},
        {"--image", "/nonexistent"},
        {"--unknown"},
    };
    for (const auto& args : cases) {
        auto setup = std::make_unique<SimSetup>();
        const Parsed parsed = parse(args, *setup);
        EXPECT_EQ(parsed.exitCode, 2) << args.front();
        EXPECT_FALSE(parsed.err.empty()) << args.front();
    }
    auto setup = std::make_unique<SimSetup>();
    EXPECT_EQ(parse({"--help"}, *setup).exitCode, 0);
}

} // namespace
} // namespace qmx::sim
