#include "ecu/monitor.h"
#include "ecu/monitoritemchoice.h"
#include "ecu/monitorpanel.h"
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
        {0x012C, "0.1", "0", "30.0"},    {90, "1", "-40", "50.0"},
        {1234567, "0.1", "0", "123456"}, {5, "1", "-99999.5", "-99994"},
        {5, "1", "-9999.5", "-9994.5"},  {3, "abc", "2", "2.0"},
        {65535, "1e40", "0", "inf"},
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
        EXPECT_FALSE(rig.monitor.pendingItem());
        EXPECT_EQ(rig.link.arbiter().commLockDepth(), 0);
        EXPECT_EQ(rig.ports.line(0).written.size(), 1u);
    }
}

TEST(Monitor, APulledCableClosesThePortAndThePollStops) {
    MonitorRig rig;
    ASSERT_EQ(rig.monitor.startFromCommand(rig.sink), 0);
    rig.ticks(1); // the first request is out
    rig.ports.line(0).hungUp = true;
    rig.ticks(1);

    EXPECT_FALSE(rig.link.portOpen());
    EXPECT_FALSE(rig.monitor.pendingItem());
    EXPECT_EQ(rig.link.arbiter().commLockDepth(), 0);
    EXPECT_FALSE(rig.link.arbiter().monitorCycleActive());
    EXPECT_EQ(rig.link.problemText(), text::messageText(text::msg::PortLost, "COM1"));
    const int reads = rig.ports.line(0).reads;
    rig.ticks(5);
    EXPECT_EQ(rig.ports.line(0).reads, reads);
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

TEST(MonitorRows, AnItemIsListedOnceAndAtMost15) {
    std::vector<int> rows{0, 1, 2};
    EXPECT_TRUE(addMonitorRow(rows, 3, -1));
    EXPECT_THAT(rows, ElementsAre(0, 1, 2, 3));
    EXPECT_TRUE(addMonitorRow(rows, 3, 1)); // moves before row 1
    EXPECT_THAT(rows, ElementsAre(0, 3, 1, 2));
    EXPECT_TRUE(addMonitorRow(rows, 0, 4)); // no row 4: appended, the old entry removed
    EXPECT_THAT(rows, ElementsAre(3, 1, 2, 0));
    removeMonitorRow(rows, 1);
    removeMonitorRow(rows, 9);
    EXPECT_THAT(rows, ElementsAre(3, 2, 0));

    std::vector<int> full(15);
    std::iota(full.begin(), full.end(), 0);
    EXPECT_FALSE(canAddMonitorRow(full));
    EXPECT_FALSE(addMonitorRow(full, 20, -1));
    EXPECT_EQ(full.size(), 15u);

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

    EXPECT_EQ(profile.readString("DIAGSELECT", "SELECT0", "-"), "Engine speed");
    EXPECT_EQ(profile.readString("DIAGSELECT", "SELECT1", "-"), "");
    EXPECT_EQ(profile.readString("DIAGSELECT", "SELECT2", "-"), "");
    EXPECT_EQ(readMonitorSelection(profile, items), std::vector<int>{0});
}

// Counts what the Monitor window would repaint and keeps the failure it would show.
struct PanelWatcher : MonitorPanel::Observer {
    void valueShown(int) override { ++values; }
    void monitoringEnded() override { ++ends; }
    void recordingChanged() override { ++recordingChanges; }
    void recordingFailed(const std::string& message) override { failures.push_back(message); }
    int values = 0;
    int recordingChanges = 0;
    int ends = 0;
    std::vector<std::string> failures;
};

struct PanelRig : MonitorRig {
    PanelRig() : panel(monitor) {
        monitor.setView(&panel);
        panel.setObserver(&watcher);
        panel.rebuild();
    }
    MonitorPanel panel;
    PanelWatcher watcher;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
        result.push_back(text.substr(from, end - from));
    return result;
}

TEST(MonitorPanel, RowsShowTheValuesAndTheRecordingWritesEachOneAsACsvLine) {
    PanelRig rig;
    ASSERT_EQ(rig.panel.rows().size(), 3u);
    EXPECT_EQ(rig.panel.rows()[2].label, "Coolant");
    EXPECT_EQ(rig.panel.rows()[2].unit, "degC");
    const std::string path = rig.folder.file("values.csv");
    ASSERT_EQ(rig.panel.startRecording(path), 0);
    EXPECT_EQ(rig.panel.recordingText(), "Recording to values.csv: 0 lines");
    ASSERT_EQ(rig.monitor.startFromCommand(rig.sink), 0);

    // Engine speed answers in three ticks, the silent item gives up after ten, Coolant in two.
    rig.ticks(3 + 11 + 3);

    EXPECT_EQ(rig.panel.rows()[0].value, "30.0");
    EXPECT_EQ(rig.panel.rows()[1].value, "Error");
    EXPECT_EQ(rig.panel.rows()[2].value, "50.0");
    EXPECT_EQ(rig.watcher.values, 3);
    EXPECT_EQ(rig.panel.recordingText(), "Recording to values.csv: 3 lines");
    rig.panel.stopRecording();
    EXPECT_EQ(rig.panel.recordingText(), "");
    const std::vector<std::string> written = lines(qmx::testing::readAll(path));
    ASSERT_EQ(written.size(), 3u);
    const std::string expected[] = {",Engine speed,30.0,rpm", ",Silent,Error,V",
                                    ",Coolant,50.0,degC"};
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::size_t comma = written[i].find(',');
        EXPECT_GT(comma, 0u);
        EXPECT_EQ(written[i].substr(0, comma).find_first_not_of("0123456789"), std::string::npos);
        EXPECT_EQ(written[i].substr(comma), expected[i]);
    }
}

TEST(MonitorPanel, AFailedWriteStopsTheRecordingButNotTheMonitor) {
    PanelRig rig;
    // Every write to /dev/full fails for want of space.
    ASSERT_EQ(rig.panel.startRecording("/dev/full"), 0);
    ASSERT_EQ(rig.monitor.startFromCommand(rig.sink), 0);
    rig.ticks(3);
    EXPECT_FALSE(rig.panel.recording());
    ASSERT_EQ(rig.watcher.failures.size(), 1u);
    EXPECT_EQ(rig.watcher.failures[0], text::messageText(text::msg::RecordingFailed, "/dev/full"));
    EXPECT_TRUE(rig.monitor.monitoring());
    rig.ticks(11 + 3);
    EXPECT_EQ(rig.panel.rows()[2].value, "50.0");
    EXPECT_EQ(rig.watcher.failures.size(), 1u);

    EXPECT_EQ(rig.panel.startRecording(rig.folder.path()), text::msg::RecordingNotStarted);
    EXPECT_FALSE(rig.panel.recording());

    // A port that closes under the window (a stop, a lost connection) ends the monitoring shown.
    rig.link.closePort();
    EXPECT_EQ(rig.watcher.ends, 1);
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
