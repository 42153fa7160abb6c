#include "config/linerules.h"

#include <gtest/gtest.h>

#include "support/linesof.h"

namespace qmx::config {
namespace {

using qmx::testing::linesOf;

TEST(LineRules, SectionsAreFoundWithoutCaseAndTheirContentSkipsBlanksAndComments) {
    EXPECT_EQ(sectionName("  [ Free Map ]\t"), "Free Map");
    for (const char* notAHeader : {"[]", "[  ]", "[Data", "x[Data]"})
        EXPECT_FALSE(sectionName(notAHeader)) << notAHeader;
    const CLineList lines =
        linesOf({"[title]", "a", "[free map]", "", " ; note", "b", "[FREE MAP]", "c"});
    EXPECT_EQ(findSection(lines, "Free Map"), 2u);
    EXPECT_EQ(sectionEnd(lines, 2), 6u);
    EXPECT_EQ(sectionContent(lines, "FREE map"), std::vector<std::size_t>{5});
    EXPECT_FALSE(findSection(lines, "Config Map"));

    const CLineList machine =
        linesOf({"[Machine]", "no separator", " , empty key", "model , abc ", "Model,xyz"});
    EXPECT_EQ(keyedValue(machine, "machine", "MODEL", ','), "ABC"); // trimmed, upper case
    EXPECT_FALSE(keyedValue(machine, "machine", "Serial", ','));
    EXPECT_FALSE(keyedValue(machine, "Other", "Model", ','));
}

TEST(LineRules, FieldsAndNumbers) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(commaFields(" a , b\t,c ", 8), (Fields{"a", "b", "c"}));
    EXPECT_EQ(commaFields("a,,", 8), (Fields{"a", "", ""}));
    EXPECT_EQ(commaFields("", 8), Fields{""});
    EXPECT_EQ(commaFields(" a , b , c , d ", 3), (Fields{"a", "b", "c , d"})); // the last: the rest
    EXPECT_EQ(commaFields("a,b", 1), Fields{"a,b"});

    EXPECT_EQ(parseHex("aBc"), 0xABCu);
    for (const char* bad : {"0x10", "", "12 "})
        EXPECT_FALSE(parseHex(bad)) << bad;
    EXPECT_EQ(parseDecimal("-12"), -12);
    for (const char* bad : {"-", "12a", "+3", "99999999999"})
        EXPECT_FALSE(parseDecimal(bad)) << bad;
}

} // namespace
} // namespace qmx::config
