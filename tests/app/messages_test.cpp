#include "app/messages.h"
#include "app/streamsink.h"

#include <sstream>

#include <gtest/gtest.h>

namespace qmx::app {

TEST(Messages, KnownNumbersGiveTheirExactText) {
    EXPECT_EQ(messageText(msg::SaveError), "ConfigurationFile Save Error!");
    EXPECT_EQ(messageText(msg::PackedVersionError),
              "The rcz file of this version cannot be opened.");
    EXPECT_EQ(messageText(msg::LinkThirdFourthMismatch),
              "#3Map and #4Map must be both empth \n or both not empty");
}

TEST(Messages, ArgumentReplacesThePlaceholderLiterally) {
    EXPECT_EQ(messageText(msg::ProgramSettingsMissing, "qmx"), "qmx.ini is not exist.");
    EXPECT_EQ(messageText(msg::ReadErrorAddress, "%s%d"), "Read Error Address : %s%d");
    EXPECT_EQ(messageText(msg::Complete, "x"), "Complete");
    EXPECT_EQ(messageText(msg::DamagedDataRecords, {"%s", "12", "8010"}),
              "Checksum of S-format in [Data] section is in error in %s record(s); the first is "
              "in line 12 (address 8010).");
}

TEST(Messages, UnknownNumberGivesEmptyText) {
    EXPECT_TRUE(messageText(424242).empty());
    EXPECT_TRUE(messageText(msg::Success).empty());
}

} // namespace qmx::app

namespace qmx::app {

TEST(StreamSink, WritesEachTextOnALineAndAnswersByItsPolicy) {
    struct Case {
        Unattended policy;
        Buttons buttons;
        Answer expected;
    };
    const Case cases[] = {
        {Unattended::TakeFirst, Buttons::Ok, Answer::Ok},
        {Unattended::TakeFirst, Buttons::OkCancel, Answer::Ok},
        {Unattended::TakeFirst, Buttons::YesNo, Answer::Yes},
        {Unattended::Decline, Buttons::Ok, Answer::Ok},
        {Unattended::Decline, Buttons::OkCancel, Answer::Cancel},
        {Unattended::Decline, Buttons::YesNo, Answer::No},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        StreamSink sink(out, c.policy);
        EXPECT_EQ(sink.show("Failed to open file", "QMX", Icon::Exclamation, c.buttons),
                  c.expected);
        EXPECT_EQ(out.str(), "Failed to open file\n");
    }
}

} // namespace qmx::app
