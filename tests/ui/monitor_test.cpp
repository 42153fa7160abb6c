#include "uitests.h"

#include "framerig.h"
#include "modal.h"

#include "app/commands.h"
#include "ecu/transfercommands.h"
#include "text/messages.h"
#include "ui/monitorcommands.h"
#include "ui/monitorwindow.h"
#include "ui/tablewindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <sstream>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

constexpr int kDeadline = 15000;

// The sample's items are Engine speed (0x10, 2 bytes), Coolant temperature (0x11), Throttle
// (0x12), Battery (0x13) and Injection time (0x14, 2 bytes); ecusim answers all but Battery.
// Engine speed climbs by 50 every 200 ms.
const std::vector<std::string> kItems{"--monitor", "10:2:800:50:200", "--monitor", "11:1:120",
                                      "--monitor", "12:1:40",         "--monitor", "14:2:250"};

std::vector<std::string> withItems(std::vector<std::string> options) {
    options.insert(options.end(), kItems.begin(), kItems.end());
    return options;
}

std::vector<std::string> csvLines(const std::string& path) {
    std::istringstream in(testing::readAll(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The Monitor window, its menu commands, the item dialog and the recording against ecusim.
class MonitorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FrameRig> rig;
    std::unique_ptr<testing::EcusimProcess> sim;

    ui::CMainFrame& frame() { return *rig->frame; }
    ui::MonitorCommands& monitor() { return frame().monitorCommands(); }
    ui::MonitorWindow* window() { return monitor().window(); }
    QString value(int row) { return window()->valueField(row)->text(); }
    bool checked(int command) { return frame().action(command)->isChecked(); }
    bool enabled(int command) { return frame().action(command)->isEnabled(); }
    // Waits until row `row` shows a value other than `before`.
    bool waitForChange(int row, const QString& before = {}) {
        return QTest::qWaitFor([&] { return !value(row).isEmpty() && value(row) != before; },
                               kDeadline);
    }
    void openWindowWithCtrlM() {
        QApplication::setActiveWindow(&frame());
        QTest::keyClick(&frame(), Qt::Key_M, Qt::ControlModifier);
    }
    // Chooses the rows in the item dialog: removes every row, then adds `items` in turn.
    void chooseRows(const std::vector<int>& items) {
        onNextModal([items](QWidget* dialog) {
            auto* rows = dialog->findChild<QListWidget*>("rows");
            while (rows->count() > 0) {
                rows->setCurrentRow(0);
                dialog->findChild<QPushButton*>("remove")->click();
            }
            for (const int item : items) {
                dialog->findChild<QListWidget*>("items")->setCurrentRow(item);
                dialog->findChild<QPushButton*>("add")->click();
            }
            static_cast<QDialog*>(dialog)->accept();
        });
        frame().runCommand(cmd::ItemSet);
    }

private slots:
    void init() {
        rig = std::make_unique<FrameRig>();
        sim = rig->startEcusim(withItems({}));
        QVERIFY(sim);
        QVERIFY(rig->openSample());
    }
    void cleanup() {
        rig.reset();
        sim.reset();
    }

    void ctrlMShowsValuesThatChangeWhileTheTableKeepsWorkingAndTheWindowStopsThem() {
        QVERIFY(!checked(cmd::Monitor));
        openWindowWithCtrlM();
        QVERIFY(window());
        QVERIFY(checked(cmd::Monitor) && checked(cmd::MonitorDialog));
        QVERIFY(!enabled(cmd::ReadEcu) && !enabled(cmd::WriteEcu));
        QCOMPARE(window()->findChildren<QLineEdit*>().size(), 5);

        frame().runCommand(cmd::MonitorStart);
        QVERIFY(checked(cmd::MonitorStart) && !checked(cmd::MonitorStop));
        QCOMPARE(window()->startStopButton()->text(), "St&op");
        QVERIFY(waitForChange(0));
        const QString first = value(0);
        QVERIFY(first.endsWith(".0"));
        QVERIFY(waitForChange(3));
        QCOMPARE(value(3), "Error");
        QCOMPARE(value(1), "80.0"); // 120 - 40

        // The table takes a typed value while the values go on arriving.
        QApplication::setActiveWindow(&frame());
        frame().activeTable()->setFocus();
        QTest::keyClick(frame().activeTable(), Qt::Key_7);
        QTest::keyClick(frame().activeTable()->editBox(), Qt::Key_Return);
        QVERIFY(rig->app.configuration().modified);
        QVERIFY(waitForChange(0, first));

        frame().runCommand(cmd::MonitorStop);
        QVERIFY(!monitor().monitor().monitoring());
        QVERIFY(checked(cmd::MonitorStop));
        openWindowWithCtrlM();
        QVERIFY(!window());
        QVERIFY(enabled(cmd::ReadEcu) && !checked(cmd::MonitorDialog));

        // The window stops with an answer outstanding; its Close stops the monitor.
        frame().runCommand(cmd::Monitor);
        window()->startStopButton()->click();
        QVERIFY(monitor().monitor().monitoring());
        // The first tick asks for Engine speed; its answer is read at the next ticks.
        QVERIFY(
            QTest::qWaitFor([&] { return monitor().monitor().pendingItem() == 0u; }, kDeadline));
        QVERIFY(value(0).isEmpty());
        window()->startStopButton()->click();

        QVERIFY(!monitor().monitor().monitoring());
        QVERIFY(value(0).endsWith(".0")); // the answer awaited still arrived
        QCOMPARE(frame().linkHost().link().arbiter().commLockDepth(), 0);
        QCOMPARE(window()->startStopButton()->text(), "St&art");

        window()->startStopButton()->click();
        QVERIFY(monitor().monitor().monitoring());
        window()->findChild<QPushButton*>("close")->click();
        QVERIFY(!window());
        QVERIFY(!frame().linkHost().link().portOpen());
    }

    void itemDialogRebuildsTheWindowAndTheRowsAreStoredOnClose() {
        frame().runCommand(cmd::Monitor);
        frame().runCommand(cmd::MonitorStart);
        chooseRows({3, 0});
        QCOMPARE(window()->findChildren<QLineEdit*>().size(), 2);
        QVERIFY(monitor().monitor().monitoring());
        QVERIFY(waitForChange(1));
        QVERIFY(value(1).endsWith(".0")); // Engine speed is the second row now
        QVERIFY(waitForChange(0));
        QCOMPARE(value(0), "Error");

        QVERIFY(frame().closeDocument());
        QVERIFY(!window());
        QVERIFY(!frame().linkHost().link().portOpen());
        const std::string ini = testing::readAll(rig->homePath() + "/qmx.INI");
        QVERIFY(ini.find("SELECT0=Battery") != std::string::npos);
        QVERIFY(ini.find("SELECT1=Engine speed") != std::string::npos);

        // A configuration without monitor items has no Monitor menu; the sample brings it back.
        QVERIFY(frame().openFile(SAMPLES_DIR "/boost.rcz"));
        QCOMPARE(frame().menuBar()->actions()[2]->text(), "&Tool");
        QVERIFY(rig->openSample());
        QCOMPARE(frame().menuBar()->actions()[2]->text(), "&Monitor");
        QCOMPARE(rig->app.configuration().monitorRows, (std::vector<int>{3, 0}));
    }

    void aRecordingHoldsTheValuesShownAFailedWriteOrAReadLeavesTheMonitorRunning() {
        frame().runCommand(cmd::Monitor);
        QVERIFY(enabled(cmd::MonitorRecord));
        const std::string path = rig->homePath() + "/values.csv";
        QVERIFY(monitor().startRecording(QString::fromStdString(path)));
        QVERIFY(checked(cmd::MonitorRecord));
        frame().runCommand(cmd::MonitorStart);
        QLabel* label = window()->recordingLabel();
        QVERIFY(QTest::qWaitFor([&] { return label->text().endsWith(": 8 lines"); }, kDeadline));
        frame().runCommand(cmd::MonitorRecord); // stops the recording, not the monitor
        QVERIFY(!checked(cmd::MonitorRecord) && label->isHidden());
        QVERIFY(monitor().monitor().monitoring());

        const std::vector<std::string> lines = csvLines(path);
        QCOMPARE(lines.size(), 8u);
        QVERIFY(QString::fromStdString(lines[0]).contains(
            QRegularExpression("^[0-9]+,Engine speed,[0-9]+\\.0,rpm$")));
        const char* const names[] = {"Engine speed", "Coolant temperature", "Throttle", "Battery",
                                     "Injection time"};
        // The last line of each item holds what its row showed when the recording ended.
        for (int row = 0; row < 5; ++row) {
            std::string last;
            for (const std::string& line : lines)
                if (line.find(std::string(",") + names[row] + ",") != std::string::npos)
                    last = line;
            if (!last.empty())
                QVERIFY2(QString::fromStdString(last).contains("," + value(row) + ","),
                         last.c_str());
        }

        QVERIFY(monitor().startRecording("/dev/full"));
        QVERIFY(QTest::qWaitFor([&] { return !rig->sink.shown.empty(); }, kDeadline));
        QCOMPARE(rig->sink.shown[0].text,
                 text::messageText(text::msg::RecordingFailed, "/dev/full"));
        QVERIFY(monitor().monitor().monitoring() && !checked(cmd::MonitorRecord));

        // What a compare that loads the ECU runs while the Monitor window polls.
        ecu::Link& link = frame().linkHost().link();
        ecu::TransferContext context{link, frame().progressWindow(), rig->sink};
        ecu::EcuDocument document = app::documentOf(rig->app);
        QCOMPARE(ecu::readEcuCommand(context, document, [] {}), 0);
        QCOMPARE(rig->sink.shown.back().text, "Complete");
        QVERIFY(monitor().monitor().monitoring());
        const QString before = value(0);
        QVERIFY(waitForChange(0, before));

        // A port that closes under the window (a pulled cable) leaves it ready to start again.
        link.closePort();
        QCOMPARE(window()->startStopButton()->text(), "St&art");
        QVERIFY(enabled(cmd::MonitorStart) && !enabled(cmd::MonitorStop));
    }
};

} // namespace

QObject* newMonitorTest() {
    return new MonitorTest;
}

} // namespace qmx::uitest

#include "monitor_test.moc"
