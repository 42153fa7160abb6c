#include "uitests.h"

#include "framerig.h"
#include "modal.h"

#include "app/commands.h"
#include "maps/map.h"
#include "maps/tablecommands.h"
#include "ui/datacomparedialog.h"
#include "ui/multimapdialog.h"
#include "ui/monitorcommands.h"
#include "ui/monitorwindow.h"

#include <QDialog>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTest>

#include <cstdlib>

namespace qmx::uitest {
namespace {

// The folder the pictures go to, named by QMX_SCREENSHOT_DIR (scripts/screenshot.sh runs these
// under Xvfb); empty when the variable is not set, and the pictures are then skipped.
QString pictureFolder() {
    const char* folder = std::getenv("QMX_SCREENSHOT_DIR");
    return folder ? QString::fromLocal8Bit(folder) : QString();
}

// Saves `widget` as `name`.png in the picture folder, after the window system has delivered the
// last paints.
bool savePicture(QWidget& widget, const QString& name) {
    QTest::qWait(200);
    return widget.grab().save(pictureFolder() + "/" + name + ".png", "PNG");
}

// Pictures of the program's windows for the README, one test per picture.
class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (pictureFolder().isEmpty())
            QSKIP("QMX_SCREENSHOT_DIR names no folder");
    }

    void tableWindow() {
        FrameRig rig;
        rig.frame->resize(1100, 700);
        QVERIFY(rig.openSample());
        QVERIFY(savePicture(*rig.frame, "qmx-table"));
    }

    // INJ1 with all its lines, the fourth point of the fourth line selected.
    void mapWindow() {
        FrameRig rig;
        rig.frame->resize(1100, 700);
        QVERIFY(rig.openSample());
        rig.frame->runCommand(app::cmd::MapWindow);
        rig.frame->runCommand(app::cmd::AllLines);
        for (int code : {maps::tablecmd::Down, maps::tablecmd::Down, maps::tablecmd::Down,
                         maps::tablecmd::Right, maps::tablecmd::Right, maps::tablecmd::Right})
            rig.frame->activeChild()->editOperation(code);
        QVERIFY(savePicture(*rig.frame, "qmx-map"));
    }

    void hexView() {
        FrameRig rig;
        rig.frame->resize(1100, 700);
        QVERIFY(rig.openSample());
        rig.frame->runCommand(app::cmd::HexView);
        QVERIFY(savePicture(*rig.frame, "qmx-hex"));
    }

    void constantEditor() {
        FrameRig rig;
        QVERIFY(rig.openSample());
        bool saved = false;
        onNextModal([&saved](QWidget* dialog) {
            // The second constant raised by a step and selected; "&Undo" takes the step back.
            QWidget* cell = dialog->findChild<QWidget*>("valueCell1");
            QTest::keyClick(cell, Qt::Key_PageUp);
            QTest::keyClick(cell, Qt::Key_Return);
            saved = savePicture(*dialog, "qmx-const");
            static_cast<QDialog*>(dialog)->reject();
        });
        rig.frame->runCommand(app::cmd::EditConst);
        QVERIFY(saved);
    }

    void dataCompare() {
        FrameRig rig;
        auto sim = rig.startEcusim();
        QVERIFY(sim);
        QVERIFY(rig.openSample());
        app::Configuration& config = rig.app.configuration();
        maps::Map& ign = *config.maps.find("IGN");
        const std::uint16_t cell = maps::yAddress(ign, 3, 4);
        QCOMPARE(config.maps.writeY(ign, std::uint8_t(config.image.byte(cell) + 8), 4, 3),
                 maps::Access::Ok);
        QVERIFY(withDialog<ui::DataCompareDialog>(*rig.frame, app::cmd::DataCompare,
                                                  [](ui::DataCompareDialog& dialog) {
                                                      dialog.verify();
                                                      QVERIFY(savePicture(dialog, "qmx-compare"));
                                                  }));
    }

    void multiMapEdit() {
        FrameRig rig;
        QVERIFY(rig.openSample());
        QVERIFY(withDialog<ui::MultiMapDialog>(*rig.frame, app::cmd::MultiMap,
                                               [](ui::MultiMapDialog& dialog) {
                                                   dialog.pairsButton()->setChecked(true);
                                                   QVERIFY(savePicture(dialog, "qmx-multimap"));
                                               }));
    }

    void monitorWindow() {
        FrameRig rig;
        auto sim =
            rig.startEcusim({"--monitor", "10:2:800:25:100", "--monitor", "11:1:122", "--monitor",
                             "12:1:37", "--monitor", "13:1:138", "--monitor", "14:2:312:3:300"});
        QVERIFY(sim && rig.openSample());
        ui::MonitorCommands& monitor = rig.frame->monitorCommands();
        rig.frame->runCommand(app::cmd::Monitor);
        rig.frame->runCommand(app::cmd::MonitorStart);
        QVERIFY(monitor.startRecording(QString::fromStdString(rig.homePath() + "/run1.csv")));
        ui::MonitorWindow& window = *monitor.window();
        QVERIFY(QTest::qWaitFor([&] { return !window.valueField(4)->text().isEmpty(); }, 15000));
        QVERIFY(savePicture(window, "qmx-monitor"));
    }

    void comPortDialog() {
        FrameRig rig;
        auto sim = rig.startEcusim();
        QVERIFY(sim && rig.openSample());
        bool saved = false;
        onNextModal([&saved](QWidget* dialog) {
            saved = savePicture(*dialog, "qmx-comport");
            static_cast<QDialog*>(dialog)->reject();
        });
        rig.frame->runCommand(app::cmd::ComPort);
        QVERIFY(saved);
    }
};

} // namespace

QObject* newScreenshotTest() {
    return new ScreenshotTest;
}

} // namespace qmx::uitest

#include "screenshot_test.moc"
