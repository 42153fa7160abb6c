#include "app/comportchoice.h"

#include "app/appsettings.h"
#include "app/configuration.h"
#include "app/linkhost.h"
#include "ecu/fakes.h"
#include "support/tempfolder.h"
#include "text/messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qmx::app::test {
using namespace qmx::ecu;
using namespace qmx::ecu::test;
namespace {

using ::testing::HasSubstr;

LineIndexes line(int port) {
    return {.baud = 5, .data = 1, .parity = 0, .stop = 0, .flow = 1, .port = port};
}

TEST(ComPortChoice, OpensOnThePortsEntryWithTheHiddenControlsOfTheLine) {
    ComPortChoice choice({line(12), false}, {{0, "Serial", true}, {12, "USB Serial", true}});
    EXPECT_EQ(choice.selectedEntry(), 12);
    EXPECT_EQ(choice.entryText(12), "COM13  USB Serial");
    EXPECT_EQ(choice.entryText(1), "COM2   ");
    EXPECT_EQ(choice.entryText(255), "COM256 ");
    EXPECT_TRUE(choice.listEnabled());
    const HiddenLineControls& hidden = choice.hiddenControls();
    EXPECT_EQ(hidden.comRadio, 0); // "Com1" beyond Com8
    EXPECT_EQ(hidden.speedRadio, 5);
    EXPECT_FALSE(hidden.xFlow);
    EXPECT_EQ(HiddenLineControls::from(line(3)).comRadio, 3);
    EXPECT_EQ(ComPortChoice({line(300), false}, {}).selectedEntry(), 0);

    choice.setAutoSelect(true, {});
    EXPECT_FALSE(choice.listEnabled());
    EXPECT_EQ(choice.selectedEntry(), 12);
    EXPECT_EQ(choice.entryText(12), "COM13  ");
}

TEST(ComPortChoice, OkWithoutAutoSelectTakesTheEntryAndPassesTheLineThrough) {
    LinkRig rig;
    ComPortChoice choice({line(0), false}, {});
    choice.selectEntry(4);
    ASSERT_EQ(choice.accept(rig.link, rig.sink), ComPortChoice::Outcome::Accepted);
    EXPECT_EQ(choice.values().line, line(4));
    EXPECT_TRUE(rig.sink.shown.empty());
    EXPECT_TRUE(rig.ports.opened.empty());
}

TEST(ComPortChoice, ASettingWithoutItsRadioKeepsTheDialogOpen) {
    LineIndexes speed = line(0);
    speed.baud = 6;
    LineIndexes parity = line(0);
    parity.parity = 3;
    LineIndexes stop = line(0);
    stop.stop = -1;
    for (const LineIndexes& bad : {speed, parity, stop}) {
        LinkRig rig;
        ComPortChoice choice({bad, false}, {});
        EXPECT_EQ(choice.accept(rig.link, rig.sink), ComPortChoice::Outcome::StayOpen);
        ASSERT_EQ(rig.sink.shown.size(), 1u);
        EXPECT_EQ(rig.sink.shown[0].text, "All Parameters are not defined");
        EXPECT_EQ(rig.sink.shown[0].caption, "Com Port");
        EXPECT_EQ(rig.sink.shown[0].icon, text::Icon::Exclamation);
    }
}

// The current port 0 is silent; COM3 answers as the configured ECU when `answering`.
struct SearchRig : LinkRig {
    explicit SearchRig(bool answering) : LinkRig(settings()) {
        ports.line(0);
        ports.line(2).respond = answering ? test::ecu() : nullptr;
        lister.ports = {{"COM1", "Serial", "/dev/ttyS0"}, {"COM3", "ECU cable", "/dev/ttyUSB0"}};
    }
    static LinkSettings settings() {
        LinkSettings settings = testSettings();
        settings.retry = 1;
        settings.ecRetry = 1;
        return settings;
    }
};

TEST(ComPortChoice, AutoSelectSearchesOnOkAndReportsTheOutcome) {
    SearchRig found(true);
    ComPortChoice choice({line(0), true}, {});
    ASSERT_EQ(choice.accept(found.link, found.sink), ComPortChoice::Outcome::Accepted);
    EXPECT_EQ(choice.values().line.port, 2);
    EXPECT_EQ(choice.selectedEntry(), 2);
    EXPECT_EQ(choice.entryText(2), "COM3   ECU cable");
    ASSERT_EQ(found.sink.shown.size(), 1u);
    EXPECT_EQ(found.sink.shown[0].text, "COM3 ECU cable was Selected.");
    EXPECT_EQ(found.sink.shown[0].icon, text::Icon::Information);
    EXPECT_FALSE(found.link.portOpen());

    SearchRig silent(false);
    ComPortChoice stays({line(0), true}, {});
    EXPECT_EQ(stays.accept(silent.link, silent.sink), ComPortChoice::Outcome::StayOpen);
    ASSERT_EQ(silent.sink.shown.size(), 1u);
    EXPECT_EQ(silent.sink.shown[0].text, "Failed auto select com port!");
    EXPECT_EQ(silent.sink.shown[0].caption, "Com Port");
    EXPECT_EQ(stays.values().line.port, 0);
}

TEST(ComPortChoice, StoringWritesThePortAndTheSwitchAndKeepsTheLineInMemory) {
    testing::TempFolder home;
    home.write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n\"Install Directory\"=\"" +
                                   home.path() + "\"\n");
    home.write("qmx.INI", "[RS232C]\nSPEED=19200\nPORT=PORT1\n");
    AppSettings settings;
    ASSERT_EQ(loadAppSettings(settings, {home.path(), home.path(), "qmx"}, kLargeScreen), 0);
    FakePump pump;
    LinkHost host(settings, pump, {home.path(), home.file("sys")});
    auto configuration = std::make_unique<Configuration>();
    ComPortValues values{line(4), false};
    values.line.baud = 3;

    EXPECT_EQ(storeComPortValues(values, *configuration, host), 0);

    EXPECT_THAT(testing::readAll(home.file("qmx.INI")), HasSubstr("PORT=PORT5"));
    EXPECT_THAT(testing::readAll(home.file("qmx.INI")), HasSubstr("SPEED=19200"));
    EXPECT_THAT(testing::readAll(home.file("registry.reg")),
                HasSubstr("\"Rs232cPortAutoSelect\"=dword:00000000"));
    EXPECT_EQ(host.link().currentPortIndex(), 4);
    EXPECT_EQ(host.link().settings().speedIndex, 3);
    EXPECT_EQ(configuration->line.baud, 3);
    EXPECT_EQ(currentComPortValues(*configuration, host.link()).line, values.line);
}

} // namespace
} // namespace qmx::app::test
