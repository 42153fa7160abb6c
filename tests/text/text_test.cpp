#include "text/messages.h"
#include "text/numberformat.h"
#include "text/streamsink.h"

#include <cstdio>
#include <sstream>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace qmx::text {

TEST(Messages, ArgumentReplacesThePlaceholderLiterally) {
    EXPECT_EQ(messageText(msg::ProgramSettingsMissing, "qmx"), "qmx.ini is not exist.");
    EXPECT_EQ(messageText(msg::ReadErrorAddress, "%s%d"), "Read Error Address : %s%d");
    EXPECT_EQ(messageText(msg::Complete, "x"), "Complete");
    // (Several arguments: the damaged-record warning in the qmxctl tests.)
}

TEST(StreamSink, WritesEachTextOnALineAndAnswersByItsPolicy) {
    using Answers = std::vector<Answer>;
    const std::pair<Unattended, Answers> cases[] = {
        {Unattended::TakeFirst, {Answer::Ok, Answer::Ok, Answer::Yes}},
        {Unattended::Decline, {Answer::Ok, Answer::Cancel, Answer::No}},
    };
    for (const auto& [policy, answers] : cases) {
        std::ostringstream out;
        StreamSink sink(out, policy);
        Answers given;
        for (Buttons buttons : {Buttons::Ok, Buttons::OkCancel, Buttons::YesNo})
            given.push_back(sink.show("Failed to open file", "QMX", Icon::Exclamation, buttons));
        EXPECT_EQ(given, answers);
        EXPECT_EQ(out.str(), "Failed to open file\nFailed to open file\nFailed to open file\n");
    }
}

TEST(NumberFormat, RoundsLikeTheCLibrary) {
    const std::tuple<double, int, const char*> cases[] = {
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
