#include "maps/clipboard.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qmx::maps {
namespace {

TEST(ClipboardTest, ReadsRectanglesOfNumbers) {
    // text, message (0: a table), rows, columns, values
    const std::tuple<std::optional<std::string_view>, int, int, int, std::vector<float>> cases[] = {
        {"1.5\t2\r\n3\t4\r\n", 0, 2, 2, {1.5f, 2, 3, 4}},
        {"1.5\t2\r\n3", 1545, 0, 0, {}},
        {"1e3", 1546, 0, 0, {}},
        {"1\t\t-3", 0, 1, 3, {1, 0, -3}},
        {"1\n2\r\n3\n", 0, 3, 1, {1, 2, 3}}, // lone LF ends a row too
        {"7", 0, 1, 1, {7}},
        {"", 0, 0, 0, {}},
        {"\r\n", 0, 1, 1, {0}},
        {"1\r2", 1546, 0, 0, {}}, // a lone CR is no row end
        {"-", 1546, 0, 0, {}},
        {" 5", 1546, 0, 0, {}},
        {std::nullopt, 1544, 0, 0, {}},
    };
    for (const auto& [text, message, rows, columns, values] : cases) {
        const ClipRead read = readClipTable(text);
        std::vector<float> got;
        for (const ClipEntry& entry : read.table.entries)
            got.push_back(entry.value);
        EXPECT_EQ(
            std::tuple(clipResultMessage(read.result), read.table.rows, read.table.columns, got),
            std::tuple(message, rows, columns, values))
            << text.value_or("<none>");
    }
}

} // namespace
} // namespace qmx::maps
