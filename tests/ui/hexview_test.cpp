#include "uitests.h"

#include "framerig.h"

#include "app/commands.h"
#include "maps/map.h"
#include "maps/undohistory.h"
#include "text/messages.h"
#include "ui/hexgrid.h"
#include "ui/hexview.h"
#include "ui/mapbar.h"
#include "ui/tablewindow.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

// The hex view in the main frame: opened by Shift+F5, edited with the mouse and the keys, kept
// in step with the table window, and putting single bytes into the running ECU.
class HexViewTest : public QObject {
    Q_OBJECT

    static ui::HexView* activeHex(FrameRig& rig) {
        return dynamic_cast<ui::HexView*>(rig.frame->activeChild());
    }
    static void clickByte(ui::HexView& hex, std::uint32_t address) {
        const maps::PixelRect r = *hex.controller().layout().byteRect(address);
        QTest::mouseClick(hex.grid(), Qt::LeftButton, {}, QPoint(r.x + 4, r.y + r.height / 2));
    }
    // Types `text` into the hex editor and ends it with Enter (with Shift: the live write).
    static void typeInto(ui::HexView& hex, const char* text, Qt::KeyboardModifiers end = {}) {
        QLineEdit* editor = hex.grid()->editor();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return, end);
    }

private slots:
    void shiftF5OpensTheHexViewInStepWithTheTableWindow() {
        FrameRig rig;
        QVERIFY(rig.openSample());
        ui::CMainFrame& frame = *rig.frame;
        app::Configuration& config = rig.app.configuration();
        maps::Map& map = *config.maps.current();
        QTest::keyClick(&frame, Qt::Key_F5, Qt::ShiftModifier);
        ui::HexView* hex = activeHex(rig);
        QVERIFY(hex);
        QCOMPARE(frame.documentArea()->activeSubWindow()->windowTitle(), "HEX - INJ1[*]");
        QVERIFY(frame.action(cmd::EditCopy)->isEnabled());

        // The next-window key cycles hex, table; Shift+F5 comes back to the same view.
        QTest::keyClick(&frame, Qt::Key_F6, Qt::ControlModifier);
        QVERIFY(frame.activeTable());
        frame.runCommand(cmd::HexView);
        QCOMPARE(activeHex(rig), hex);
        QCOMPARE(frame.documentArea()->subWindowList().size(), 3); // map, table and hex

        // A typed byte lands in the image and shows in the table window at once.
        QLineEdit* editor = hex->grid()->editor();
        QTRY_VERIFY(editor->hasFocus());
        const auto first = static_cast<std::uint16_t>(maps::yAddress(map, 0, 0));
        QCOMPARE(editor->text(),
                 QString("%1").arg(config.image.byte(first), 2, 16, QChar('0')).toUpper());
        QCOMPARE(editor->selectedText(), editor->text());
        typeInto(*hex, "2a");
        QCOMPARE(int(config.image.byte(first)), 0x2A);
        QCOMPARE(editor->text(), "2A");
        QVERIFY(config.modified);
        QCOMPARE(map.undo.size(), 1u);
        QVERIFY(frame.documentArea()->activeSubWindow()->isWindowModified());
        const maps::TablePicture table =
            frame.findChild<ui::TableWindow*>()->controller().picture();
        QVERIFY(std::any_of(table.grid.begin(), table.grid.end(),
                            [](const maps::PaintCell& cell) { return cell.text == "4.2"; }));

        // A Z byte: a line selection whose new value reaches the map bar's "&Line" list.
        auto* lines = frame.mapBar()->findChild<QComboBox*>("lineList");
        clickByte(*hex, maps::zAddress(map, 1));
        QCOMPARE(map.target, maps::EditTarget::Z);
        typeInto(*hex, "10");
        QCOMPARE(int(config.image.byte(maps::zAddress(map, 1))), 0x10);
        QCOMPARE(lines->itemText(1), "6.3");

        // An edit in the table window shows in the hex view at once.
        clickByte(*hex, first);
        frame.runCommand(cmd::TableWindow);
        ui::TableWindow* tableWindow = frame.activeTable();
        QTest::keyClick(tableWindow, Qt::Key_7);
        QTest::keyClick(tableWindow->editBox(), Qt::Key_Return);
        QCOMPARE(int(config.image.byte(first)), 70);
        QCOMPARE(editor->text(), "46");
    }

    // The boost sample's maps are configuration maps.
    void shiftEnterPutsOneByteIntoTheRunningEcuOrShowsTheFailureOnce() {
        FrameRig rig({}, kBoostSample);
        QVERIFY(rig.openSample());
        app::Configuration& config = rig.app.configuration();
        maps::Map& map = *config.maps.current();
        QCOMPARE(QString::fromStdString(map.name), "BOOST");
        rig.frame->runCommand(cmd::HexView);
        ui::HexView* hex = activeHex(rig);
        QVERIFY(hex);

        // No ECU on the port: the value is kept and the failure shown once.
        clickByte(*hex, 0x9022);
        typeInto(*hex, "7", Qt::ShiftModifier);
        QCOMPARE(int(config.image.byte(0x9022)), 7);
        QCOMPARE(rig.sink.shown.size(), 1u);
        QVERIFY(!rig.frame->commandState().transferActive);

        rig.sink.shown.clear();
        testing::EcusimProcess sim(ECUSIM_PATH,
                                   {"--image", SAMPLES_DIR "/boost.rcz", "--machine-code", "QT",
                                    "--link", rig.homePath() + "/ports/COM1", "--trace"},
                                   true);
        QVERIFY(sim.firstLine().size() > 0);
        clickByte(*hex, 0x9021);
        typeInto(*hex, "5a", Qt::ShiftModifier);
        QVERIFY(sim.waitForError("stored byte 5A at 9021"));
        QCOMPARE(int(config.image.byte(0x9021)), 0x5A);
        QCOMPARE(map.undo.size(), 2u);
        QCOMPARE(rig.sink.shown.size(), 0u);
        QVERIFY(!rig.frame->progressWindow().isVisible());
        // Only the one byte went in: no word write, no second byte.
        QVERIFY(sim.errors().find("stored word") == std::string::npos);
        QCOMPARE(sim.errors().find("stored byte"), sim.errors().rfind("stored byte"));
    }
};

} // namespace

QObject* newHexViewTest() {
    return new HexViewTest;
}

} // namespace qmx::uitest

#include "hexview_test.moc"
