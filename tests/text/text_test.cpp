#include "text/messages.h"
#include "text/numberformat.h"
#include "text/streamsink.h"

#include <cstdio>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

namespace qmx::text {

TEST(Messages, ArgumentReplacesThePlaceholderLiterally) {
    EXPECT_EQ(messageText(msg::ProgramSettingsMissing, "qmx"), "qmx.ini is not exist.");
    EXPECT_EQ(messageText(msg::ReadErrorAddress, "%s%d"), "Read Error Address : %s%d");
    EXPECT_EQ(messageText(msg::Complete, "x"), "Complete");
    EXPECT_EQ(messageText(msg::DamagedDataRecords, {"%s", "12", "8010"}),
              "Checksum of S-format in [Data] section is in error in %s record(s); the first is "
              "in line 12 (address 8010).");
}

TEST(StreamSink, WritesEachTextOnALineAndAnswersByItsPolicy) {
    const std::tuple<Unattended, Buttons, Answer> cases[] = {
        {Unattended::TakeFirst, Buttons::Ok, Answer::Ok},
        {Unattended::TakeFirst, Buttons::OkCancel, Answer::Ok},
        {Unattended::TakeFirst, Buttons::YesNo, Answer::Yes},
        {Unattended::Decline, Buttons::Ok, Answer::Ok},
        {Unattended::Decline, Buttons::OkCancel, Answer::Cancel},
        {Unattended::Decline, Buttons::YesNo, Answer::No},
    };
    for (const auto& [policy, buttons, answer] : cases) {
        std::ostringstream out;
        StreamSink sink(out, policy);
        EXPECT_EQ(sink.show("Failed to open file", "QMX", Icon::Exclamation, buttons), answer);
        EXPECT_EQ(out.str(), "Failed to open file\n");
    }
}

TEST(NumberFormat, RoundsLikeTheCLibrary) {
    const std::tuple<double, int, const char*> cases[] = {
        {20.0, 1, "20.0"},
        {1234.6, 0, "1235"},
        {2.5, 0, "2"},
        {0.125, 2, "0.12"},
        {-0.05, 1, "-0.1"},
        {1.0, -3, "1"},
        {1e20, 0, "100000000000000000000"},
        {1.0 / 3, 20, "0.333333333333333"},
        {1.0, 40, "1.000000000000000"},
    };
    for (const auto& [value, decimals, expected] : cases) {
        EXPECT_EQ(formatFixed(value, decimals), expected) << value << " " << decimals;
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.*f", clampDecimals(decimals), value);
        EXPECT_EQ(formatFixed(value, decimals), printed);
    }
}

} // namespace qmx::text
