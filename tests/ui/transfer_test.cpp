#include "uitests.h"

#include "framerig.h"

#include "app/commands.h"
#include "config/ecuimage.h"
#include "maps/map.h"
#include "text/messages.h"
#include "ui/tablewindow.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

constexpr int kPageUp = 32787; // raise by one step

// The ECU commands of the main frame against ecusim on a pseudo-terminal.
class TransferTest : public QObject {
    Q_OBJECT
private slots:
    void readKeepsTheWindowAliveHoldsKeysAndCloseRequestsAndRestoresTheEcuValues() {
        FrameRig rig;
        // At the line rate of 19200 baud the read takes long enough for many ticks.
        auto sim = rig.startEcusim({"--baud", "19200"});
        QVERIFY(sim);
        QVERIFY(rig.openSample());
        ui::CMainFrame& frame = *rig.frame;
        maps::Map& map = *rig.app.configuration().maps.current();
        rig.app.configuration().image.setByte(maps::yAddress(map, 0, 0), 99);
        QLineEdit* editBox = frame.activeTable()->editBox();
        QWindow* window = frame.windowHandle();

        // A timer of the window's own and what the commands looked like while the read ran.
        // Once the read runs, a key press for the table and a close request for the window
        // arrive the way the window system delivers them; then, while the read goes on, nothing
        // may have answered them.
        int ownTicks = 0;
        int busySamples = 0;
        bool enabledWhileBusy = false;
        bool progressShown = false;
        bool sent = false;
        bool answeredDuringRead = false;
        int samplesAfterSending = 0;
        QTimer sampler;
        sampler.setInterval(20);
        connect(&sampler, &QTimer::timeout, [&] {
            ++ownTicks;
            if (!frame.commandState().transferActive)
                return;
            ++busySamples;
            progressShown = progressShown || frame.progressWindow().isVisible();
            enabledWhileBusy = enabledWhileBusy || frame.action(cmd::ReadEcu)->isEnabled() ||
                               frame.action(cmd::WriteEcu)->isEnabled() ||
                               frame.action(cmd::FileClose)->isEnabled();
            if (!sent) {
                using Delivery = QWindowSystemInterface::AsynchronousDelivery;
                QWindowSystemInterface::handleKeyEvent<Delivery>(window, QEvent::KeyPress,
                                                                 Qt::Key_5, Qt::NoModifier, "5");
                QWindowSystemInterface::handleKeyEvent<Delivery>(window, QEvent::KeyRelease,
                                                                 Qt::Key_5, Qt::NoModifier, "5");
                QWindowSystemInterface::handleCloseEvent<Delivery>(window);
                sent = true;
                return;
            }
            ++samplesAfterSending;
            answeredDuringRead = answeredDuringRead || editBox->isVisible() || !frame.isVisible();
        });
        sampler.start();
        const auto linkTicks = frame.pump().ticksDelivered();
        frame.runCommand(cmd::ReadEcu);
        sampler.stop();

        QVERIFY(busySamples > 0);
        QVERIFY(!enabledWhileBusy && progressShown);
        QVERIFY(frame.pump().ticksDelivered() > linkTicks);
        QVERIFY(ownTicks > 0);
        QCOMPARE(rig.sink.shown.size(), 1u);
        QCOMPARE(rig.sink.shown[0].text, std::string(text::messageText(text::msg::Complete)));
        QCOMPARE(int(maps::readY(map, rig.app.configuration().image, 0, 0).value), 0x1E);
        QVERIFY(!frame.progressWindow().isVisible());

        QVERIFY(sent && samplesAfterSending > 0);
        QVERIFY(!answeredDuringRead);
        // Held back, not lost: once the read has ended the key opens the edit box, and the
        // window closes.
        QTRY_VERIFY(editBox->isVisible());
        QCOMPARE(editBox->text(), QString("5"));
        QTRY_VERIFY(!frame.isVisible());
    }

    void raiseAfterAReadStepsFromTheValueRead() {
        FrameRig rig({}, kBoostSample);
        auto sim = rig.startEcusim();
        QVERIFY(sim);
        QVERIFY(rig.openSample());
        ui::CMainFrame& frame = *rig.frame;
        config::EcuImage& image = rig.app.configuration().image;
        maps::Map& boost = *rig.app.configuration().maps.current();
        QCOMPARE(QString::fromStdString(boost.name), QString("BOOST"));
        // The cell holds 0.99 as typed; the ECU holds 0.20 there.
        QTest::keyClick(frame.activeTable(), Qt::Key_0);
        QTest::keyClicks(frame.activeTable()->editBox(), ".99");
        QTest::keyClick(frame.activeTable()->editBox(), Qt::Key_Return);
        QCOMPARE(int(maps::readY(boost, image, 0, 0).value), 99);
        frame.runCommand(cmd::ReadEcu);
        QCOMPARE(int(maps::readY(boost, image, 0, 0).value), 20);

        frame.runCommand(kPageUp);
        QCOMPARE(int(maps::readY(boost, image, 0, 0).value), 21);
        QCOMPARE(frame.activeTable()->editBox()->text(), QString("0.21"));
        frame.runCommand(cmd::EditUndo);
        QCOMPARE(int(maps::readY(boost, image, 0, 0).value), 20);
    }

    void theOutcomeShowsWhileTheTransferHoldsAndCloseAsksAboutUnwrittenEdits() {
        FrameRig rig;
        auto sim = rig.startEcusim();
        QVERIFY(sim);
        QVERIFY(rig.openSample());
        ui::CMainFrame& frame = *rig.frame;
        std::vector<bool> heldWhileShown;
        rig.sink.onShow = [&] {
            heldWhileShown.push_back(frame.commandState().transferActive &&
                                     !frame.action(cmd::ReadEcu)->isEnabled() &&
                                     !frame.action(cmd::FileClose)->isEnabled());
        };
        frame.runCommand(cmd::ReadEcu);
        frame.runCommand(cmd::WriteEcu);
        rig.sink.onShow = nullptr;

        QCOMPARE(heldWhileShown, (std::vector<bool>{true, true}));
        QVERIFY(!frame.commandState().transferActive);
        QVERIFY(frame.action(cmd::ReadEcu)->isEnabled());
        QCOMPARE(rig.sink.shown.size(), 2u);

        // An edit after the write differs from what the ECU holds: Close asks 3001, then 57654.
        QTest::keyClick(frame.activeTable(), Qt::Key_6);
        QTest::keyClick(frame.activeTable()->editBox(), Qt::Key_Return);
        rig.sink.shown.clear();
        rig.sink.answers = {text::Answer::Ok, text::Answer::Cancel};
        frame.runCommand(cmd::FileClose);
        QCOMPARE(rig.sink.shown.size(), 2u);
        QCOMPARE(rig.sink.shown[1].text,
                 std::string(text::messageText(text::msg::CloseWithoutWriting)));
        QVERIFY(rig.app.configuration().isOpen());
    }
};

} // namespace

QObject* newTransferTest() {
    return new TransferTest;
}

} // namespace qmx::uitest

#include "transfer_test.moc"
