#include "uitests.h"

#include "framerig.h"
#include "modal.h"

#include "app/commands.h"
#include "ecu/panerows.h"
#include "maps/map.h"
#include "support/tempfolder.h"
#include "text/messages.h"
#include "ui/comparepane.h"
#include "ui/datacomparedialog.h"

#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <set>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

std::vector<std::uint8_t> imageBytes(const app::Configuration& config) {
    return {config.image.data(), config.image.data() + 0x10000};
}

// Answers the next file dialog over `over` with `path`.
void answerFileDialog(const QString& path, QWidget* over) {
    onNextModal(
        [path](QWidget* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            QVERIFY(files);
            // selectFile leaves the name box alone while it has the keyboard focus, which the
            // box takes at some point after the dialog shows.
            if (QWidget* focused = files->focusWidget())
                focused->clearFocus();
            files->selectFile(path);
            static_cast<QDialog*>(files)->accept(); // QFileDialog::accept is protected
        },
        over);
}

// The addresses a pane shows in red.
std::set<std::uint32_t> redAddresses(const ecu::DataPane& pane, const ecu::DataPane& other) {
    std::set<std::uint32_t> red;
    for (int index = 0; index < ecu::paneRowCount(pane); ++index) {
        const ecu::PaneRow row = ecu::paneRow(pane, other, index);
        for (int column = 0; column < ecu::kPaneRowBytes; ++column) {
            if (row.bytes[std::size_t(column)].red)
                red.insert(std::stoul(row.address, nullptr, 16) + std::uint32_t(column));
        }
    }
    return red;
}

QStringList logLines(const ui::DataCompareDialog& dialog) {
    return QString::fromStdString(dialog.session().log()).split("\r\n");
}

// The "Data Compare" dialog against ecusim and against configuration files.
class CompareTest : public QObject {
    Q_OBJECT
private slots:
    void verifyWithTheEcuFindsTheEditedCellAndNeverChangesTheImage() {
        FrameRig rig;
        auto sim = rig.startEcusim();
        QVERIFY(sim);
        QVERIFY(rig.openSample());
        app::Configuration& config = rig.app.configuration();

        QVERIFY(withDialog<ui::DataCompareDialog>(
            *rig.frame, cmd::DataCompare, [&](ui::DataCompareDialog& dialog) {
                QVERIFY(!dialog.findChild<QPushButton*>("saveLog")->isEnabled());
                const auto before = imageBytes(config);
                dialog.verify();
                QCOMPARE(imageBytes(config), before);
                QCOMPARE(logLines(dialog),
                         (QStringList{"ORIGINAL;  ECU Data",
                                      "VERIFY;  Edit Data  [ " + rig.samplePath() + " ]", "Same"}));
                QVERIFY(dialog.findChild<QPushButton*>("saveLog")->isEnabled());
                QCOMPARE(dialog.focusWidget(), dialog.findChild<QPushButton*>("verify"));
            }));

        // One cell of a map edited alone (the injector maps are linked by the sample).
        maps::Map& ign = *config.maps.find("IGN");
        const std::uint16_t cell = maps::yAddress(ign, 1, 2);
        QCOMPARE(config.maps.writeY(ign, std::uint8_t(config.image.byte(cell) + 1), 2, 1),
                 maps::Access::Ok);
        const QString logPath = QString::fromStdString(rig.homePath() + "/verify.log");
        QVERIFY(withDialog<ui::DataCompareDialog>(
            *rig.frame, cmd::DataCompare, [&](ui::DataCompareDialog& dialog) {
                const auto before = imageBytes(config);
                dialog.verify();
                QCOMPARE(imageBytes(config), before);
                const QStringList lines = logLines(dialog);
                QCOMPARE(lines.size(), 5); // every listing line ends in CR LF
                QCOMPARE(lines[2], "* Map Name;  AxisZ  AxisX  ECU  Edit");
                QVERIFY(lines[3].startsWith("IGN;  z  "));
                QVERIFY(lines[4].isEmpty());

                // The cell differs, and the checksum byte that the command fixed for the edit.
                const ecu::CompareData& data = dialog.session().data();
                const std::set<std::uint32_t> expected{cell, config.image.high()};
                QCOMPARE(redAddresses(data.first, data.second), expected);
                QCOMPARE(redAddresses(data.second, data.first), expected);
                // Scrolled to the row of the cell, as far as the pane scrolls.
                const ui::ComparePane& pane = *dialog.firstPane();
                QCOMPARE(pane.firstShownRow(), std::min(int(cell / 16 - data.first.start / 16),
                                                        pane.verticalScrollBar()->maximum()));
                QVERIFY(pane.verticalScrollBar()->maximum() > 0);

                answerFileDialog(logPath, &dialog);
                dialog.saveLog();
            }));
        const std::string saved = testing::readAll(logPath.toStdString());
        QVERIFY(!saved.empty() && saved.back() == '\n');
        QVERIFY(saved.find('\r') == std::string::npos);
        QVERIFY(saved.find("IGN;  z  ") != std::string::npos);
    }

    void theOpenFileIsSameAndAFileWhoseDataStartsElsewhereDoesNotCorrespond() {
        FrameRig rig;
        QVERIFY(rig.openSample());
        // The sample without its first data record starts at 8010 instead of 8000.
        std::string plain = testing::readAll(SAMPLES_DIR "/sample.rcg");
        const std::size_t first = plain.find("S1138000");
        plain.erase(first, plain.find('\n', first) + 1 - first);
        const QString shifted = rig.writePacked("shifted.rcz", plain);
        QVERIFY(!shifted.isEmpty());

        QVERIFY(withDialog<ui::DataCompareDialog>(
            *rig.frame, cmd::DataCompare, [&](ui::DataCompareDialog& dialog) {
                dialog.findChild<QRadioButton*>("editWithFile")->setChecked(true);
                // The file this program holds open for editing is read all the same.
                answerFileDialog(rig.samplePath(), &dialog);
                dialog.verify();
                QCOMPARE(logLines(dialog).last(), "Same");
                answerFileDialog(shifted, &dialog);
                const auto before = imageBytes(rig.app.configuration());
                dialog.verify();
                QCOMPARE(imageBytes(rig.app.configuration()), before);
                QCOMPARE(logLines(dialog),
                         (QStringList{"ORIGINAL;  Edit Data  [ " + rig.samplePath() + " ]",
                                      "VERIFY;  File Data  [ " + shifted + " ]",
                                      "Address does not correspond"}));
                QCOMPARE(dialog.secondPane()->title(), "File Data  [ " + shifted + " ]");
            }));
        QVERIFY(rig.sink.shown.empty());
    }
};

} // namespace

QObject* newCompareTest() {
    return new CompareTest;
}

} // namespace qmx::uitest

#include "compare_test.moc"
