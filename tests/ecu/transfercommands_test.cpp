#include "ecu/transfercommands.h"

#include "transferrig.h"

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

// Answers the questions in turn.
class AnsweringSink : public app::MessageSink {
public:
    explicit AnsweringSink(std::vector<app::Answer> answers) : m_answers(std::move(answers)) {}
    app::Answer show(std::string_view text, std::string_view, app::Icon icon,
                     app::Buttons buttons) override {
        asked.emplace_back(text);
        EXPECT_EQ(icon, app::Icon::Question);
        EXPECT_EQ(buttons, app::Buttons::OkCancel);
        return m_answers.at(asked.size() - 1);
    }
    std::vector<std::string> asked;

private:
    std::vector<app::Answer> m_answers;
};

TEST(ConfirmClose, AsksAboutUnsavedEditsAndEditsNotWrittenToTheEcu) {
    using app::Answer;
    const std::string unsaved = "Are you sure you want to close without saving the change ?";
    const std::string unwritten =
        "Are you sure you want to close without Writing to ECU the change?";
    const struct {
        const char* what;
        bool modified;
        bool snapshotDiffers;
        std::vector<Answer> answers;
        std::vector<std::string> asked;
        bool closes;
    } cases[] = {
        {"nothing to lose", false, false, {}, {}, true},
        {"modified, OK", true, false, {Answer::Ok}, {unsaved}, true},
        {"modified, Cancel", true, true, {Answer::Cancel}, {unsaved}, false},
        {"not written, OK", false, true, {Answer::Ok}, {unwritten}, true},
        {"both, Cancel at the second",
         true,
         true,
         {Answer::Ok, Answer::Cancel},
         {unsaved, unwritten},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TransferRig t(0x8000, 0x800F);
        t.snapshot = t.imageBytes();
        if (c.snapshotDiffers)
            t.image.setByte(0x8003, 1);
        AnsweringSink sink(c.answers);
        auto document = t.document();

        EXPECT_EQ(confirmClose(sink, document, c.modified), c.closes);
        EXPECT_EQ(sink.asked, c.asked);
        EXPECT_EQ(t.snapshot.has_value(), !c.closes);
    }

    // Without a snapshot or an open file nothing is asked.
    TransferRig t(0x8000, 0x800F);
    t.path.clear();
    AnsweringSink sink({});
    auto document = t.document();
    EXPECT_TRUE(confirmClose(sink, document, true));
}

TEST(WriteCommand, AResultWithoutResponseLineShowsAnEmptyInformationBox) {
    TransferRig t(0x8000, 0x800F);
    t.ecu.resultByte = '9';
    auto context = t.context();
    auto document = t.document();
    EXPECT_EQ(writeEcuCommand(context, document, {}), 0);
    ASSERT_EQ(t.rig.sink.shown.size(), 1u);
    EXPECT_EQ(t.rig.sink.shown[0].text, "");
    EXPECT_EQ(t.rig.sink.shown[0].caption, "Write to ECU");
    EXPECT_EQ(t.rig.sink.shown[0].icon, app::Icon::Information);
}

TEST(ReadCommand, ARefusalShownByTheReadIsNotShownAgain) {
    TransferRig t(0x8000, 0x800F);
    ASSERT_TRUE(t.rig.link.openPort(false, 0, 10));
    t.rig.ports.line(0).endless = true;
    int refreshes = 0;
    auto context = t.context();
    auto document = t.document();
    EXPECT_EQ(readEcuCommand(context, document, [&] { ++refreshes; }), app::msg::DataRemainsInPort);
    ASSERT_EQ(t.rig.sink.shown.size(), 1u);
    EXPECT_EQ(t.rig.sink.shown[0].text, "The data to read remains in port.");
    EXPECT_EQ(refreshes, 1);
}

} // namespace
} // namespace qmx::ecu::test
