#include "config/linerules.h"

#include <gtest/gtest.h>

#include "support/linesof.h"

namespace qmx::config {
namespace {

using qmx::testing::linesOf;

TEST(LineRules, HeadersNeedBracketsAndANonEmptyName) {
    EXPECT_EQ(sectionName("  [ Free Map ]\t"), "Free Map");
    EXPECT_FALSE(sectionName("[]"));
    EXPECT_FALSE(sectionName("[  ]"));
    EXPECT_FALSE(sectionName("[Data"));
    EXPECT_FALSE(sectionName("x[Data]"));
}

TEST(LineRules, SectionLookupIsCaseInsensitiveAndTakesTheFirst) {
    const CLineList lines = linesOf({"[title]", "a", "[free map]", "b", "[FREE MAP]", "c"});
    EXPECT_EQ(findSection(lines, "Free Map"), 2u);
    EXPECT_EQ(sectionEnd(lines, 2), 4u);
    EXPECT_FALSE(findSection(lines, "Config Map"));
}

TEST(LineRules, ContentLinesSkipBlanksAndComments) {
    const CLineList lines = linesOf({"[RS232C]", "", " ; note", "Speed = 9600", "[Data]"});
    EXPECT_EQ(sectionContent(lines, "rs232c"), std::vector<std::size_t>{3});
}

TEST(LineRules, KeyedValueIsTrimmedUpperCasedAndCaseInsensitiveOnTheKey) {
    const CLineList lines =
        linesOf({"[Machine]", "no separator", " , empty key", "model , abc ", "Model,xyz"});
    EXPECT_EQ(keyedValue(lines, "machine", "MODEL", ','), "ABC");
    EXPECT_FALSE(keyedValue(lines, "machine", "Serial", ','));
    EXPECT_FALSE(keyedValue(lines, "Other", "Model", ','));
}

TEST(LineRules, CommaFieldsAreTrimmedAndTheLastTakesTheRest) {
    EXPECT_EQ(commaFields(" a , b\t,c ", 8), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(commaFields("a,,", 8), (std::vector<std::string>{"a", "", ""}));
    EXPECT_EQ(commaFields("", 8), std::vector<std::string>{""});
    EXPECT_EQ(commaFields(" a , b , c , d ", 3), (std::vector<std::string>{"a", "b", "c , d"}));
    EXPECT_EQ(commaFields("a,b", 1), std::vector<std::string>{"a,b"});
}

TEST(LineRules, HexadecimalNumbersAreDigitsOnly) {
    EXPECT_EQ(parseHex("8000"), 0x8000u);
    EXPECT_EQ(parseHex("aBc"), 0xABCu);
    EXPECT_FALSE(parseHex("0x10"));
    EXPECT_FALSE(parseHex(""));
    EXPECT_FALSE(parseHex("12 "));
}

TEST(LineRules, DecimalsAllowOneLeadingMinus) {
    EXPECT_EQ(parseDecimal("-12"), -12);
    EXPECT_EQ(parseDecimal("35"), 35);
    EXPECT_FALSE(parseDecimal("-"));
    EXPECT_FALSE(parseDecimal("12a"));
    EXPECT_FALSE(parseDecimal("+3"));
    EXPECT_FALSE(parseDecimal("99999999999"));
}

} // namespace
} // namespace qmx::config
