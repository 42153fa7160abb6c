#include "sim/simoptions.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qmx::sim {
namespace {

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
        {"--monitor", "21:1:7:1:0"},
        {"--monitor", "21:1:0", "--monitor", "21:2:0"},
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
