#include "cli/edits.h"

#include <gtest/gtest.h>

namespace qmx::cli {
namespace {

TEST(SetArguments, EditsKeepTheirOrderAndValuesMayLookLikeOptions) {
    SetArguments parsed;
    ASSERT_FALSE(
        parseSetArguments({"a.rcz", "--map",   "INJ1",       "--cell", "1,2",  "-3.5", "--x", "4",
                           "7",     "--map",   "IGN",        "--x",    "5,3",  "1000", "--z", "2",
                           "-1",    "--const", "Idle speed", "900",    "--as", "b.rcz"},
                          parsed));
    EXPECT_EQ(parsed.config, "a.rcz");
    EXPECT_EQ(parsed.saveAs, "b.rcz");
    using T = Edit::Target;
    const std::vector<std::tuple<T, std::string, int, int, std::string>> expected = {
        {T::Cell, "INJ1", 1, 2, "-3.5"},
        {T::X, "INJ1", 0, 4, "7"},
        {T::X, "IGN", 3, 5, "1000"},
        {T::Z, "IGN", 2, 0, "-1"},
        {T::Constant, "Idle speed", 0, 0, "900"},
    };
    ASSERT_EQ(parsed.edits.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Edit& e = parsed.edits[i];
        EXPECT_EQ(std::tie(e.target, e.name, e.row, e.column, e.value),
                  std::tie(std::get<0>(expected[i]), std::get<1>(expected[i]),
                           std::get<2>(expected[i]), std::get<3>(expected[i]),
                           std::get<4>(expected[i])))
            << i;
    }
}

TEST(SetArguments, MalformedArgumentsAreNamed) {
    using Args = std::vector<std::string>;
    const std::pair<Args, std::string> cases[] = {
        {{"a.rcz", "--cell", "0,0", "1"}, "--cell needs a --map before it"},
        {{"a.rcz", "--map", "M", "--cell", "0", "1"}, "--cell: bad position \"0\""},
        {{"a.rcz", "--map", "M", "--z", "-1", "1"}, "--z: bad position \"-1\""},
        {{"a.rcz", "--map", "M", "--x", "1,a", "1"}, "--x: bad position \"1,a\""},
        {{"a.rcz", "--map", "M", "--z", "1"}, "--z needs two values"},
        {{"a.rcz", "--map"}, "--map needs a value"},
        {{"a.rcz", "b.rcz"}, "unexpected argument \"b.rcz\""},
        {{"a.rcz", "--verbose"}, "unexpected argument \"--verbose\""},
        {{"--map", "M", "--z", "1", "2"}, "CONFIG is required"},
        {{"a.rcz", "--as", "b.rcz"}, "no edit given"},
    };
    for (const auto& [args, problem] : cases) {
        SetArguments parsed;
        EXPECT_EQ(parseSetArguments(args, parsed), problem);
    }
}

} // namespace
} // namespace qmx::cli
