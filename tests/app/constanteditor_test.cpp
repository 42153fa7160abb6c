#include "app/constanteditor.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "app/constantedit.h"
#include "app/ectapp.h"
#include "app/testhome.h"
#include "support/recorders.h"
#include "text/messages.h"

namespace qmx::app {
namespace {

using qmx::testing::RecordingSink;

// The sample's constants, and a word with three decimals that the two-decimal text rounds.
const char* const kCalib[] = {
    "8010,1,Idle speed,10,0,rpm,1",        "8011,2,Rev limit,1,0,rpm,1,0,3000,9000",
    "8013,1,Injector flow,1,1,cc/min,2",   "8014,1,Ignition trim,0.5,0,deg,3",
    "8015,2,Shift light,1,-1000,rpm,4",    "8017,2,Fan speed,30000,-20000,rpm,5",
    "8019,1,Calibration version,1,0,,1,1", "801A,2,Pressure trim,0.001,0,bar,1",
};
enum Entry { Idle, RevLimit, InjectorFlow, IgnitionTrim, ShiftLight, FanSpeed, Version, Trim };

config::CLineList calibLines(const std::vector<std::string>& entries) {
    config::CLineList lines;
    lines.append("[Calib]");
    for (const std::string& entry : entries)
        lines.append(entry);
    lines.append("[Error Message]");
    return lines;
}

// `count` one-byte constants at 0x9000 and on; those in `readOnly` are read-only.
config::CLineList numberedConstants(int count, const std::vector<int>& readOnly = {}) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        char address[8];
        std::snprintf(address, sizeof address, "%04X", 0x9000 + i);
        const bool locked = std::find(readOnly.begin(), readOnly.end(), i) != readOnly.end();
        entries.push_back(std::string(address) + ",1,C" + std::to_string(i) + ",1,0,u,1" +
                          (locked ? ",1" : ""));
    }
    return calibLines(entries);
}

// An editor on the sample's constants, with the focus on `entry`.
class ConstantEditorTest : public ::testing::Test {
protected:
    ConstantEditorTest() {
        image.setByte(0x8010, 80);
        image.setWord(0x8011, 6000);
        image.setByte(0x8013, 7);
        image.setByte(0x8014, 25);
        image.setWord(0x801A, 12345);
    }

    ConstantEditor& open(int entry = Idle) {
        editor.emplace(calibLines({std::begin(kCalib), std::end(kCalib)}), image, sink);
        editor->focusEntry(entry);
        return *editor;
    }
    std::uint16_t raw(int entry) const {
        const maps::CalibEntry e = maps::parseCalibLine(kCalib[entry]).entry.value();
        return maps::calibRaw(e, editor->workingCopy());
    }
    // Types `text` into the focused cell and presses `key`.
    void type(const std::string& text, CellKey key = CellKey::Enter) {
        ASSERT_EQ(editor->typeCharacter(text.at(0)), CellOutcome::Handled);
        editor->setEditText(text);
        editor->key(key);
    }
    std::string focusedText() const { return editor->row(editor->focusRow()).value; }

    config::EcuImage image;
    RecordingSink sink;
    std::optional<ConstantEditor> editor;
};

// (Read-only cells and the scroll range: the widget test.)
// (Texts with two decimals: the display format test.)
TEST_F(ConstantEditorTest, RowsShowValueTextsAndTheFocusStartsOnAnEditableEntry) {
    image.setByte(0x8014, 24);
    EXPECT_EQ(ConstantEditor(calibLines({kCalib[IgnitionTrim]}), image, sink).row(0).value, "12");
    EXPECT_EQ(ConstantEditor(numberedConstants(3, {0, 1}), image, sink).focusRow(), 2);
    EXPECT_TRUE(ConstantEditor(calibLines({"bad line"}), image, sink).empty());
}

// (A text that is no number, refused with its message: the qmxctl tests.)
TEST_F(ConstantEditorTest, TypedValuesStoreOrAreCorrectedIntoTheInputLimits) {
    ConstantEditor& e = open(IgnitionTrim);
    type("-5");
    EXPECT_EQ(raw(IgnitionTrim), 246);
    EXPECT_EQ(focusedText(), "-5");

    // Outside the input limits: the nearest allowed value is stored and the user told.
    e.focusEntry(RevLimit);
    type("10000");
    EXPECT_EQ(raw(RevLimit), 9000);
    EXPECT_EQ(sink.shown.at(0).caption, "Edit Const");
    EXPECT_EQ(sink.shown.at(0).text,
              "Input Data Range Over:10000.00 \n (3000.00<=Data<=9000.00)\n set 9000.00");
    // Without messages (Shift+Down) the value is corrected silently and the move not made.
    type("1", CellKey::ShiftDown);
    EXPECT_EQ(raw(RevLimit), 3000);
    EXPECT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(e.row(e.focusRow()).entry, RevLimit);
}

TEST_F(ConstantEditorTest, TheTextShownCommittedAgainKeepsTheValue) {
    ConstantEditor& e = open(Trim);
    EXPECT_EQ(focusedText(), "12.35"); // raw 12345: 12.345 shown with two decimals
    e.key(CellKey::F2);
    e.key(CellKey::Enter);
    e.focusOut();
    EXPECT_EQ(raw(Trim), 12345);
    EXPECT_FALSE(e.canUndo());
    // A constant outside its input limits is only corrected when the user types a value.
    image.setWord(0x8011, 0);
    open(RevLimit).focusOut();
    EXPECT_EQ(raw(RevLimit), 0);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ConstantEditorTest, RawStepsRunAgainstTheRawValueForInvertedKinds) {
    ConstantEditor& e = open();
    e.key(CellKey::PageUp);
    EXPECT_EQ(raw(Idle), 81);
    EXPECT_TRUE(e.editing());
    EXPECT_EQ(focusedText(), "810");
    e.key(CellKey::ShiftPageDown);
    EXPECT_EQ(raw(Idle), 71);
    image.setByte(0x8010, 250);
    open().key(CellKey::ShiftPageUp);
    EXPECT_EQ(raw(Idle), 255);
    editor->key(CellKey::PageUp);
    EXPECT_EQ(raw(Idle), 255);

    // Kind 2: PageUp lowers the raw value, and never to 0.
    open(InjectorFlow).key(CellKey::PageUp);
    EXPECT_EQ(raw(InjectorFlow), 6);
    editor->key(CellKey::PageDown);
    editor->key(CellKey::PageDown);
    EXPECT_EQ(raw(InjectorFlow), 8);
    editor->key(CellKey::Escape);
    editor->key(CellKey::ShiftPageUp);
    EXPECT_EQ(raw(InjectorFlow), 7);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "Cannot input 0");

    // Kinds 4 and 5 step the same way; 0 is a value of theirs, and below it nothing moves.
    open(ShiftLight).key(CellKey::PageDown);
    EXPECT_EQ(raw(ShiftLight), 1);
    editor->key(CellKey::ShiftPageUp);
    editor->key(CellKey::PageUp);
    EXPECT_EQ(raw(ShiftLight), 0);
    open(FanSpeed).key(CellKey::ShiftPageDown);
    EXPECT_EQ(raw(FanSpeed), 10);
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(ConstantEditorTest, UndoTakesBackEachEditInTurn) {
    image.setByte(0x8013, 0); // kind 2 at raw 0, as a file may hold it
    ConstantEditor& e = open();
    type("900");
    type("1000");
    e.key(CellKey::ShiftDown);
    e.key(CellKey::ShiftDown);
    type("100");
    ASSERT_EQ(raw(InjectorFlow), 255); // the lowest flow a byte can hold
    EXPECT_EQ(raw(Idle), 100);
    e.key(CellKey::PageUp);
    e.key(CellKey::Undo); // the open step is committed, then taken back
    EXPECT_EQ(raw(InjectorFlow), 255);
    e.undo();
    EXPECT_EQ(raw(InjectorFlow), 0); // the file's 0 comes back, though no step may reach it
    e.undo();
    EXPECT_EQ(raw(Idle), 90);
    e.undo();
    EXPECT_EQ(raw(Idle), 80);
    EXPECT_FALSE(e.canUndo());
}

// (When a scroll bar shows and where it starts: the widget test.)
TEST_F(ConstantEditorTest, MovesSkipReadOnlyEntriesAndScrollAtTheEdges) {
    ConstantEditor e(numberedConstants(20, {1, 19}), image, sink);
    e.focusIn(0);
    e.key(CellKey::Down);
    EXPECT_EQ(e.focusRow(), 2);
    e.focusIn(15);
    e.typeCharacter('4');
    EXPECT_EQ(e.key(CellKey::Down), CellOutcome::Ignored); // plain arrows belong to the edit box
    e.key(CellKey::ShiftDown);
    EXPECT_EQ(e.workingCopy().byte(0x900F), 4);
    EXPECT_EQ(e.topIndex(), 1);
    EXPECT_EQ(e.focusRow(), 15);
    e.key(CellKey::Down);
    e.key(CellKey::Down);
    e.key(CellKey::Down);
    EXPECT_EQ(e.row(e.focusRow()).entry, 18); // the last entry is read-only
}

TEST_F(ConstantEditorTest, CommitsWhileAMessageShowsAreIgnored) {
    // The message box takes the focus: commits that arrive while it shows are ignored.
    struct ReenteringSink : RecordingSink {
        std::function<void()> during;
        text::Answer show(std::string_view text, std::string_view caption, text::Icon icon,
                          text::Buttons buttons) override {
            during();
            return RecordingSink::show(text, caption, icon, buttons);
        }
    } reentering;
    ConstantEditor other(calibLines({kCalib[RevLimit]}), image, reentering);
    reentering.during = [&] {
        other.focusOut();
        other.key(CellKey::Enter);
    };
    other.typeCharacter('1');
    other.key(CellKey::Enter);
    EXPECT_EQ(reentering.shown.size(), 1u);
    EXPECT_EQ(other.focusRow(), 0);
}

TEST(ConstantEdits, OkCopiesTheWholeImageBackAndLaysTheFreeMapsOutAgain) {
    qmx::testing::TestHome home;
    CEctApp app;
    ASSERT_EQ(app.start(home.places(), kLargeScreen), text::msg::Success);
    ASSERT_EQ(app.openConfiguration(home.sample("sample.rcz"), FileLayout::Packed),
              text::msg::Success);
    Configuration& config = app.configuration();
    // (An unchanged copy, and the modified flag: the widget test.)
    config::EcuImage copy = config.image;
    // The first free map's row count lies in the copy too: its map is laid out again.
    const int rows = config.maps.at(0).rows();
    const std::uint16_t area = config.maps.freeMapArea().start;
    copy.setByte(area, static_cast<std::uint8_t>(rows - 1));
    copy.setByte(0xFFFF, 0x5A);
    EXPECT_TRUE(applyConstantEdits(config, copy));
    EXPECT_TRUE(config.modified);
    EXPECT_EQ(config.image.byte(0xFFFF), 0x5A);
    EXPECT_EQ(config.maps.at(0).rows(), rows - 1);
}

} // namespace
} // namespace qmx::app
