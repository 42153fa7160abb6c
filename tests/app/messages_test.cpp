#include "app/messages.h"

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
}

TEST(Messages, UnknownNumberGivesEmptyText) {
    EXPECT_TRUE(messageText(424242).empty());
    EXPECT_TRUE(messageText(msg::Success).empty());
}

} // namespace qmx::app
