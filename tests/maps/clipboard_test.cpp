#include "maps/clipboard.h"

#include <gtest/gtest.h>

#include "maptestutil.h"

namespace qmx::maps {
namespace {

TEST(ClipboardTest, ReadsRectanglesOfNumbers) {
    struct Case {
        std::optional<std::string_view> text;
        ClipResult result;
        int message;
        int rows;
        int columns;
        std::vector<float> values;
    };
    const Case cases[] = {
        {"1.5\t2\r\n3\t4\r\n", ClipResult::Table, 0, 2, 2, {1.5f, 2, 3, 4}},
        {"1.5\t2\r\n3", ClipResult::NotRectangular, 1545, 0, 0, {}},
        {"1e3", ClipResult::NotNumeric, 1546, 0, 0, {}},
        {"1\t\t-3", ClipResult::Table, 0, 1, 3, {1, 0, -3}},
        {"1\n2\r\n3\n", ClipResult::Table, 0, 3, 1, {1, 2, 3}}, // lone LF ends a row too
        {"7", ClipResult::Table, 0, 1, 1, {7}},
        {"", ClipResult::Table, 0, 0, 0, {}},
        {"\r\n", ClipResult::Table, 0, 1, 1, {0}},
        {"1\r2", ClipResult::NotNumeric, 1546, 0, 0, {}}, // a lone CR is no row end
        {"-", ClipResult::NotNumeric, 1546, 0, 0, {}},
        {" 5", ClipResult::NotNumeric, 1546, 0, 0, {}},
        {std::nullopt, ClipResult::NoText, 1544, 0, 0, {}},
    };
    for (const Case& c : cases) {
        const std::string label(c.text.value_or("<none>"));
        const ClipRead read = readClipTable(c.text);
        EXPECT_EQ(read.result, c.result) << label;
        EXPECT_EQ(clipResultMessage(read.result), c.message) << label;
        EXPECT_EQ(read.table.rows, c.rows) << label;
        EXPECT_EQ(read.table.columns, c.columns) << label;
        std::vector<float> values;
        for (const ClipEntry& entry : read.table.entries)
            values.push_back(entry.value);
        EXPECT_EQ(values, c.values) << label;
    }
}

TEST(ClipboardTest, SelectionTextCoversTheBoundingRectangle) {
    config::EcuImage image;
    Map map = test::freeMap(image, 0x8000, 3, 4);
    test::putBytes(image, yAddress(map, 0, 0), {1, 2, 3, 4, 5, 6, 7, 8});
    map.selection.add({0, 0});
    map.selection.add({0, 2});
    map.selection.add({1, 1});
    const DisplayFormats formats{0, 1, 0};
    EXPECT_EQ(selectionText(map, image, formats), "1.0\t0.0\t3.0\r\n0.0\t6.0\t0.0");

    map.y.max = "3000"; // the ±2000 rule drops the decimals
    map.selection.clearCells();
    map.selection.add({2, 3});
    EXPECT_EQ(selectionText(map, image, formats), "0");
    map.selection.clearCells();
    EXPECT_EQ(selectionText(map, image, formats), "");
}

} // namespace
} // namespace qmx::maps
