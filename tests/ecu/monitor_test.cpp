#include "ecu/monitor.h"
#include "ecu/monitoritemchoice.h"
#include "ecu/monitorrecording.h"
#include "ecu/monitorselection.h"

#include "fakes.h"
#include "platform/profile.h"
#include "support/tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

namespace qmx::ecu::test {
namespace {

using ::testing::ElementsAre;

std::vector<config::MonitorItem> threeItems() {
    return {{0x10, 2, "Engine speed", "rpm", "0.1", "0"},
            {0x11, 1, "Silent", "V", "1", "0"},
            {0x12, 1, "Coolant", "degC", "1", "-40"}};
}

// An ECU with the check switched off that answers 0x10 with 0x01 0x2C, 0x12 with 0x5A and
// nothing else.
Bytes monitorAnswers(std::uint8_t request) {
    if (request == 0x10)
        return {0x01, 0x2C};
    if (request == 0x12)
        return {0x5A};
    return {};
}

struct MonitorRig : LinkRig {
    MonitorRig() : LinkRig(uncheckedSettings(10)), monitor(link, items, rows) {
        ports.line(0).respond = monitorAnswers;
        monitor.setView(&view);
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            pump.pumpOne();
    }
    std::vector<config::MonitorItem> items = threeItems();
    std::vector<int> rows{0, 1, 2};
    Monitor monitor;
    testing::RecordingView view;
};

TEST(MonitorValueText, OneDecimalUnlessTheWholePartIsLong) {
    const struct {
        unsigned raw;
        const char* gain;
        const char* offset;
        const char* text;
    } cases[] = {
        {1234567, "0.1", "0", "123456"},
        {5, "1", "-99999.5", "-99994"},
        {5, "1", "-9999.5", "-9994.5"},
        {3, "abc", "2", "2.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(monitorValueText({0, 2, "n", "u", c.gain, c.offset}, c.raw), c.text);
    }
}

TEST(Monitor, StoppingWaitsForAnAnswerOnlyAsLongAsItsWaitHasLeft) {
    for (const bool answered : {false, true}) {
        SCOPED_TRACE(answered);
        MonitorRig rig;
        rig.ports.line(0).respond = nullptr;
        ASSERT_EQ(rig.monitor.startFromCommand(rig.sink), 0);
        rig.ticks(4); // the request at tick 1, three empty reads
        ASSERT_EQ(rig.link.countdown().left(), 7u);
        if (answered)
            rig.ports.line(0).pending = {0x01, 0x2C};
        const int readsBefore = rig.ports.line(0).reads;

        rig.monitor.stopMonitor();

        EXPECT_EQ(rig.ports.line(0).reads - readsBefore, answered ? 2 : 7);
        EXPECT_EQ(rig.view.shown.empty(), !answered);
        EXPECT_FALSE(rig.link.portOpen());
        EXPECT_EQ(rig.link.arbiter().commLockDepth(), 0);
    }
}

TEST(Monitor, EveryWayOfDroppingTheAnswerAwaitedReleasesItsLock) {
    const struct {
        const char* what;
        std::function<void(MonitorRig&)> drop;
    } cases[] = {
        {"the port closes", [](MonitorRig& rig) { rig.link.closePort(); }},
        {"the items change",
         [](MonitorRig& rig) {
             rig.items.clear();
             rig.monitor.itemsChanged();
         }},
        // Rows that name no item are passed over, and a pending item past the end is dropped.
        {"the items vanish unannounced", [](MonitorRig& rig) { rig.items.clear(); }},
        // The poll stops with the port: nothing is read after the failed read.
        {"the cable is pulled", [](MonitorRig& rig) { rig.ports.line(0).hungUp = true; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MonitorRig rig;
        rig.ports.line(0).respond = nullptr;
        ASSERT_EQ(rig.monitor.startFromCommand(rig.sink), 0);
        rig.ticks(1);
        ASSERT_EQ(rig.link.arbiter().commLockDepth(), 1);
        c.drop(rig);
        rig.ticks(3);
        if (rig.ports.line(0).hungUp) {
            EXPECT_FALSE(rig.link.portOpen() || rig.link.arbiter().monitorCycleActive());
            EXPECT_EQ(rig.ports.line(0).reads, 1);
            EXPECT_EQ(rig.link.problemText(), text::messageText(text::msg::PortLost, "COM1"));
        }
        EXPECT_FALSE(rig.monitor.pendingItem());
        EXPECT_EQ(rig.link.arbiter().commLockDepth(), 0);
        EXPECT_EQ(rig.ports.line(0).written.size(), 1u);
    }
}

TEST(Monitor, StartFailuresAreShownUnderComPort) {
    const struct {
        const char* what;
        bool window;
        bool device;
        int result;
    } cases[] = {
        {"command, no device", false, false, text::msg::NoResponseFromEcu},
        {"window, no device", true, false, text::msg::FailedOpenPort},
        {"window, another ECU type: the port closes again", true, true,
         text::msg::EcuTypeDifferent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LinkRig rig;
        if (c.device)
            rig.ports.line(0).respond = ecu({'X', 'Y'});
        const std::vector<config::MonitorItem> items = threeItems();
        std::vector<int> rows{0, 1, 2};
        Monitor monitor(rig.link, items, rows);

        const text::Status result =
            c.window ? monitor.startFromWindow(rig.sink) : monitor.startFromCommand(rig.sink);

        EXPECT_EQ(result, c.result);
        ASSERT_EQ(rig.sink.shown.size(), 1u);
        EXPECT_EQ(rig.sink.shown[0].text, text::messageText(c.result));
        EXPECT_EQ(rig.sink.shown[0].caption, "Com Port");
        EXPECT_FALSE(rig.link.portOpen() || rig.link.arbiter().transferActive());
    }
}

TEST(MonitorRows, SetRowsRefusesRepeatsUnknownItemsAndMoreThan15) {
    LinkRig rig;
    const std::vector<config::MonitorItem> many(20, threeItems()[0]);
    std::vector<int> selected = initialMonitorRows(many);
    Monitor monitor(rig.link, many, selected);
    EXPECT_FALSE(monitor.setRows({0, 0}));
    EXPECT_FALSE(monitor.setRows({20}));
    std::vector<int> sixteen(16);
    std::iota(sixteen.begin(), sixteen.end(), 0);
    EXPECT_FALSE(monitor.setRows(sixteen));
    EXPECT_EQ(selected.size(), 15u);
    EXPECT_TRUE(monitor.setRows({4, 2}));
    EXPECT_THAT(selected, ElementsAre(4, 2));
}

TEST(MonitorSelection, SavedRowsReadBackAndLeftoverNamesAreBlanked) {
    qmx::testing::TempFolder folder;
    platform::Profile profile(folder.write(
        "qmx.INI", "[DIAGSELECT]\nSELECT0=Coolant\nSELECT1=Silent\nSELECT2=Silent\n[PRINT]\n"));
    LinkRig rig;
    const std::vector<config::MonitorItem> items = threeItems();
    std::vector<int> rows{0};
    Monitor monitor(rig.link, items, rows);

    EXPECT_TRUE(monitor.saveSelection(profile));

    EXPECT_EQ(readMonitorSelection(profile, items), std::vector<int>{0});
}

// (A recording's lines and a write that fails: the Monitor window's widget test.)
TEST(MonitorRecording, AFileThatCannotBeCreatedStartsNoRecording) {
    qmx::testing::TempFolder folder;
    MonitorRecording recording;
    EXPECT_EQ(recording.start(folder.path()), text::msg::RecordingNotStarted);
    EXPECT_FALSE(recording.active());
}

TEST(MonitorItemChoice, AddInsertsBeforeTheSelectedRowAndStopsAt15) {
    MonitorItemChoice choice(20, {0, 1, 2});
    EXPECT_FALSE(choice.canAdd());
    EXPECT_FALSE(choice.canRemove());
    choice.selectItem(5);
    choice.selectRow(1);
    choice.add();
    choice.selectItem(6);
    choice.add(); // the selection stayed on item 1: 6 goes after 5
    EXPECT_THAT(choice.rows(), ElementsAre(0, 5, 6, 1, 2));
    EXPECT_EQ(choice.selectedRow(), 3);
    choice.selectItem(2);
    choice.add(); // listed once: moved up
    EXPECT_THAT(choice.rows(), ElementsAre(0, 5, 6, 2, 1));
    EXPECT_EQ(choice.selectedRow(), 4);

    choice.remove();
    EXPECT_THAT(choice.rows(), ElementsAre(0, 5, 6, 2));
    EXPECT_EQ(choice.selectedRow(), 3);

    choice.selectRow(-1);
    for (int item = 7; choice.canAdd(); ++item) {
        choice.selectItem(item);
        choice.add();
    }
    EXPECT_EQ(choice.rows().size(), 15u);
    choice.selectItem(19);
    EXPECT_FALSE(choice.canAdd());
    choice.selectItem(25);
    EXPECT_EQ(choice.selectedItem(), -1);
}

} // namespace
} // namespace qmx::ecu::test
