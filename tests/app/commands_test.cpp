#include "app/accelerators.h"
#include "app/commands.h"
#include "app/menulayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qmx::app {
namespace {

TEST(CommandEnabling, FollowsTheLinkAndDocumentState) {
    const CommandState open{.fileOpen = true};
    CommandState busy = open;
    busy.transferActive = true;
    CommandState monitorShown = open;
    monitorShown.monitorWindow = true;
    const CommandState closed{};
    struct Case {
        int command;
        bool whenOpen, whenBusy, whenMonitorShown, whenClosed;
    };
    const Case cases[] = {
        {cmd::ReadEcu, true, false, false, false},
        {cmd::WriteEcu, true, false, false, false},
        {cmd::DataCompare, true, false, true, false},
        {cmd::DataCompareAlt, true, true, true, false},
        {cmd::FileClose, true, false, true, false},
        {cmd::FileSave, true, false, true, false},
        {cmd::FileSaveAs, true, false, true, false},
        {cmd::ComPort, true, false, true, false},
        {cmd::EditConst, true, false, true, false},
        {cmd::AppExit, true, false, true, true},
        {cmd::Title, true, true, true, true},
        {cmd::Directory, true, true, true, true},
        {cmd::MonitorDialog, true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(commandEnabled(c.command, open), c.whenOpen);
        EXPECT_EQ(commandEnabled(c.command, busy), c.whenBusy);
        EXPECT_EQ(commandEnabled(c.command, monitorShown), c.whenMonitorShown);
        EXPECT_EQ(commandEnabled(c.command, closed), c.whenClosed);
    }
}

TEST(CommandEnabling, MonitorCommandsNeedItemsAndStartStopFollowPolling) {
    CommandState s{.fileOpen = true};
    EXPECT_FALSE(commandEnabled(cmd::Monitor, s));
    EXPECT_FALSE(commandEnabled(cmd::ItemSet, s));
    s.monitorItems = true;
    EXPECT_TRUE(commandEnabled(cmd::Monitor, s));
    s.transferActive = true;
    EXPECT_FALSE(commandEnabled(cmd::MonitorAlt2, s));
    EXPECT_TRUE(commandEnabled(cmd::ItemSet, s));
    s.monitorWindow = true;
    EXPECT_TRUE(commandEnabled(cmd::MonitorStart, s));
    EXPECT_FALSE(commandEnabled(cmd::MonitorStop, s));
    s.monitoring = true;
    EXPECT_FALSE(commandEnabled(cmd::MonitorStart, s));
    EXPECT_TRUE(commandEnabled(cmd::MonitorStop, s));
}

TEST(CommandChecks, FollowTheWindowPollingAndRecording) {
    CommandState s{.fileOpen = true, .monitorItems = true};
    EXPECT_EQ(commandChecked(cmd::Monitor, s), false);
    EXPECT_EQ(commandChecked(cmd::MonitorStart, s), false);
    EXPECT_EQ(commandChecked(cmd::MonitorStop, s), true);
    EXPECT_FALSE(commandEnabled(cmd::MonitorRecord, s));
    EXPECT_EQ(commandChecked(cmd::ReadEcu, s), std::nullopt);
    s.monitorWindow = true;
    s.monitoring = true;
    s.recording = true;
    for (int command : {cmd::Monitor, cmd::MonitorAlt2, cmd::MonitorDialog, cmd::MonitorStart,
                        cmd::MonitorRecord})
        EXPECT_EQ(commandChecked(command, s), true) << command;
    EXPECT_EQ(commandChecked(cmd::MonitorStop, s), false);
    EXPECT_TRUE(commandEnabled(cmd::MonitorRecord, s));
}

TEST(CommandEnabling, PasteNeedsAnEditingViewAndText) {
    CommandState s{.fileOpen = true, .clipboardHasText = true};
    EXPECT_FALSE(commandEnabled(cmd::EditPaste, s));
    EXPECT_FALSE(commandEnabled(cmd::EditCopy, s));
    s.editingViewActive = true;
    EXPECT_TRUE(commandEnabled(cmd::EditPaste, s));
    s.clipboardHasText = false;
    EXPECT_FALSE(commandEnabled(cmd::EditPaste, s));
    EXPECT_TRUE(commandEnabled(cmd::EditCopy, s));
    EXPECT_FALSE(commandEnabled(cmd::EditUndo, s));
    s.undoAvailable = true;
    EXPECT_TRUE(commandEnabled(cmd::EditUndo, s));
}

TEST(Accelerators, ForwardTheKeyboardCommandsWithTheirCodes) {
    const std::pair<const char*, int> keys[] = {
        {"Return", 7},
        {"F2", 10},
        {"PgUp", 11},
        {"Ctrl+Shift+PgUp", 11},
        {"PgDown", 12},
        {"Up", 13},
        {"Right", 16},
        {"Shift+Up", 20},
        {"Shift+Right", 23},
        {"Ctrl+Shift+C", 24},
        {"Ctrl+Shift+Return", 26},
        {"Ctrl+Up", 27},
        {"Ctrl+Right", 30},
        {"Shift+PgUp", 31},
        {"Shift+PgDown", 32},
    };
    for (const auto& [key, code] : keys) {
        SCOPED_TRACE(key);
        int found = -1;
        for (const Accelerator& a : accelerators())
            if (a.keys == key)
                found = editOperationCode(a.command);
        EXPECT_EQ(found, code);
    }
    EXPECT_EQ(editOperationCode(32784), 8);
    EXPECT_EQ(editOperationCode(32842), 19);
    EXPECT_EQ(editOperationCode(cmd::FileOpen), 0);
    EXPECT_EQ(forwardedCommands().size(), 27u);
}

TEST(Accelerators, EachKeyIsBoundOnce) {
    std::set<std::string_view> seen;
    for (const Accelerator& a : accelerators())
        EXPECT_TRUE(seen.insert(a.keys).second) << a.keys;
}

// The menus as "title: item|item" lines, separators as "-".
std::vector<std::string> describe(const std::vector<Menu>& menus) {
    std::vector<std::string> lines;
    for (const Menu& menu : menus) {
        std::string line = std::string(menu.title) + ":";
        for (const MenuItem& item : menu.items)
            line += " " + (item.command ? std::string(item.text) : "-") + "|";
        lines.push_back(line);
    }
    return lines;
}

const auto kAll = [](int) { return true; };

TEST(MenuLayout, BothMenuBarsAsWritten) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(
        describe(menuBar({.documentOpen = false}, kAll)),
        (Lines{"&File: &Open\tCtrl+O| &Directory...| E&xit\tAlt+F4|", "&Help: &About qmx...|"}));
    EXPECT_EQ(describe(menuBar({.documentOpen = true, .monitorItems = true}, kAll)),
              (Lines{"&File: &Open\tCtrl+O| &Close| &Save as...| &Directory...| E&xit\tAlt+F4|",
                     "&Edit: &Undo\tCtrl+Z| &Copy\tCtrl+C| &Paste\tCtrl+V|",
                     "&Monitor: &Monitor...\tCtrl+M| &Item set...| -| St&art| St&op| -| "
                     "&Record...|",
                     "&Tool: &Com...| &Title...| &Edit Const...| &Read from ECU| &Write to ECU| "
                     "&Data Compare|",
                     "&Window: &All\tAlt+A| -| &Monitor Dialog|", "&Help: &About qmx...|"}));
}

TEST(MenuLayout, WithoutMonitorItemsTheMonitorMenuAndDialogItemAreGone) {
    const auto menus = describe(menuBar({.documentOpen = true, .monitorItems = false}, kAll));
    ASSERT_EQ(menus.size(), 5u);
    EXPECT_EQ(menus[2].substr(0, 6), "&Tool:");
    EXPECT_EQ(menus[3], "&Window: &All\tAlt+A|");
}

TEST(MenuLayout, UnavailableCommandsAreLeftOutWithTheirSeparatorsAndEmptyMenus) {
    const auto available = [](int command) {
        return !std::set<int>{cmd::MonitorDialog, cmd::Monitor,     cmd::ItemSet,
                              cmd::MonitorStart,  cmd::MonitorStop, cmd::MonitorRecord,
                              cmd::ComPort}
                    .count(command);
    };
    const auto menus = describe(menuBar({.documentOpen = true, .monitorItems = true}, available));
    ASSERT_EQ(menus.size(), 5u);
    EXPECT_EQ(menus[2].substr(0, 16), "&Tool: &Title...");
    EXPECT_EQ(menus[3], "&Window: &All\tAlt+A|");
}

} // namespace
} // namespace qmx::app
