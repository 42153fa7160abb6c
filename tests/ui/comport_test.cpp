#include "uitests.h"

#include "framerig.h"
#include "modal.h"

#include "app/commands.h"
#include "text/messages.h"
#include "ui/comportdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QTest>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

// The Com Port dialog from the "&Com..." command, against ecusim on links ports/COMn.
class ComPortTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FrameRig> rig;

    ecu::Link& link() { return rig->frame->linkHost().link(); }
    std::string ini() { return testing::readAll(rig->homePath() + "/qmx.INI"); }
    // Runs the command; `act` gets the dialog, its port list and its "&Auto Select".
    void runDialog(std::function<void(QDialog&, QComboBox&, QCheckBox&)> act) {
        onNextModal([act = std::move(act)](QWidget* dialog) {
            act(*static_cast<QDialog*>(dialog), *dialog->findChild<QComboBox*>("ports"),
                *dialog->findChild<QCheckBox*>("autoSelect"));
        });
        rig->frame->runCommand(cmd::ComPort);
    }

private slots:
    void init() {
        rig = std::make_unique<FrameRig>();
        QVERIFY(rig->openSample());
    }
    void cleanup() { rig.reset(); }

    void opensOnThePortAndStoresTheEntryChosen() {
        QVERIFY(link().choice().setPortIndex(12));
        runDialog([](QDialog& dialog, QComboBox& ports, QCheckBox& autoSelect) {
            QCOMPARE(ports.count(), 256);
            QCOMPARE(ports.currentIndex(), 12);
            QCOMPARE(ports.currentText(), "COM13  ");
            QVERIFY(!autoSelect.isChecked() && ports.isEnabled());
            ports.setCurrentIndex(4);
            dialog.reject();
        });
        QCOMPARE(link().choice().currentPortIndex(), 12); // Cancel changed nothing

        runDialog([](QDialog& dialog, QComboBox& ports, QCheckBox&) {
            ports.setCurrentIndex(4);
            dialog.accept();
        });
        QCOMPARE(link().choice().currentPortIndex(), 4);
        QVERIFY(ini().find("PORT=PORT5") != std::string::npos);
        QVERIFY(rig->sink.shown.empty());
    }

    void autoSelectKeepsTheDialogOpenUntilAnEcuAnswers() {
        auto silent = rig->startEcusim({"--silence-after", "0"}, 1);
        QVERIFY(silent);
        bool stayedOpen = false;
        runDialog([&](QDialog& dialog, QComboBox&, QCheckBox& autoSelect) {
            autoSelect.setChecked(true);
            dialog.accept();
            stayedOpen = dialog.isVisible();
            dialog.reject();
        });
        QVERIFY(stayedOpen);
        QCOMPARE(rig->sink.shown.size(), 1u);
        QCOMPARE(rig->sink.shown[0].text, "Failed auto select com port!");
        QCOMPARE(link().choice().currentPortIndex(), 0);
        QVERIFY(!link().settings().autoSelect); // Cancel kept the switch off

        // With a second port that answers, the search stores it and the dialog closes.
        auto answering = rig->startEcusim({}, 2);
        QVERIFY(answering);
        rig->sink.shown.clear();
        runDialog([&](QDialog& dialog, QComboBox& ports, QCheckBox& autoSelect) {
            QVERIFY(ports.itemText(1).size() > 7); // COM2 is listed with its name
            autoSelect.setChecked(true);
            QVERIFY(!ports.isEnabled());
            dialog.accept();
            stayedOpen = dialog.isVisible();
            QCOMPARE(ports.currentIndex(), 1);
        });
        QVERIFY(!stayedOpen);
        QCOMPARE(rig->sink.shown.size(), 1u);
        const QString shown = QString::fromStdString(rig->sink.shown[0].text);
        QVERIFY2(shown.startsWith("COM2 ") && shown.endsWith(" was Selected."), qPrintable(shown));
        QCOMPARE(link().choice().currentPortIndex(), 1);
        QVERIFY(ini().find("PORT=PORT2") != std::string::npos);
        QVERIFY(!link().portOpen());
    }
};

} // namespace

QObject* newComPortTest() {
    return new ComPortTest;
}

} // namespace qmx::uitest

#include "comport_test.moc"
