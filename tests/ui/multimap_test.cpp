#include "uitests.h"

#include "framerig.h"
#include "modal.h"

#include "app/commands.h"
#include "maps/map.h"
#include "support/tempfolder.h"
#include "text/messages.h"
#include "ui/linklabel.h"
#include "ui/mapwindow.h"
#include "ui/multimapdialog.h"
#include "ui/tablewindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

void choose(QComboBox* list, const QString& name) {
    list->setCurrentIndex(list->findText(name));
}

std::string messageOf(int id) {
    return std::string(text::messageText(id));
}

// The "Multi Map Edit" dialog, the link it sets and the label beside the map.
class MultiMapTest : public QObject {
    Q_OBJECT
private slots:
    void listsChecksAPairLinkThatCopiesEditsAndIndividualEditDropsIt() {
        FrameRig rig;
        QVERIFY(rig.openSample());
        ui::TableWindow* table = rig.frame->activeTable();
        // The sample presets all four injector maps.
        QVERIFY(table->linkLabel()->isVisible());
        QCOMPARE(table->linkLabel()->text(), "#1,#2,#3,#4");

        QVERIFY(withDialog<ui::MultiMapDialog>(
            *rig.frame, cmd::MultiMap, [&](ui::MultiMapDialog& dialog) {
                // IGN, TEMP and WARMUP end in a letter and are not offered.
                QCOMPARE(entries(dialog.mapList(0)), (QStringList{"INJ1", "INJ2", "INJ3", "INJ4"}));
                for (int list = 0; list < 4; ++list)
                    QCOMPARE(dialog.mapList(list)->currentText(), QString("INJ%1").arg(list + 1));
                QVERIFY(dialog.allButton()->isChecked());

                choose(dialog.mapList(0), "INJ2");
                QCOMPARE(entries(dialog.mapList(3)), (QStringList{"INJ1", "INJ3", "INJ4", ""}));
                QCOMPARE(dialog.mapList(1)->currentText(), "");
                choose(dialog.mapList(1), "INJ3");
                choose(dialog.mapList(2), "INJ3");
                choose(dialog.mapList(3), "INJ4");
                dialog.accept();
                QCOMPARE(rig.sink.shown.back().text, messageOf(text::msg::MapNamesPiledUp));
                QVERIFY(dialog.isVisible());

                choose(dialog.mapList(0), "INJ1");
                for (int list = 1; list < 4; ++list)
                    choose(dialog.mapList(list), QString("INJ%1").arg(list + 1));
                dialog.pairsButton()->setChecked(true);
                rig.sink.shown.clear();
                dialog.accept();
                QCOMPARE(rig.sink.shown.size(), 1u);
                QCOMPARE(rig.sink.shown[0].text, messageOf(text::msg::ExecuteMapLink));
                QVERIFY(!dialog.isVisible());
            }));
        app::Configuration& config = rig.app.configuration();
        QCOMPARE(config.maps.link().mode(), maps::LinkMode::Pairs);
        QVERIFY(config.modified);
        QCOMPARE(table->linkLabel()->text(), "#1,#4");
        const ui::MapWindow* map = rig.frame->findChild<ui::MapWindow*>();
        QCOMPARE(map->linkLabel()->text(), "#1,#4");

        // An edit of INJ1 is copied into INJ4 only.
        const auto y = [&](const char* name) {
            return maps::readY(*config.maps.find(name), config.image, 0, 0).value;
        };
        const std::uint8_t inj2 = y("INJ2");
        QApplication::setActiveWindow(rig.frame.get()); // the keys of the frame after the dialog
        QTest::keyClick(table, Qt::Key_6);
        QTest::keyClick(table->editBox(), Qt::Key_Return);
        QCOMPARE(int(y("INJ1")), 60);
        QCOMPARE(int(y("INJ4")), 60);
        QCOMPARE(y("INJ2"), inj2);

        // Individual Edit drops the link after its question; Cancel there keeps it.
        config.modified = false;
        rig.sink.shown.clear();
        rig.sink.answers = {text::Answer::Cancel};
        QVERIFY(withDialog<ui::MultiMapDialog>(
            *rig.frame, cmd::MultiMap, [&](ui::MultiMapDialog& dialog) {
                dialog.findChild<QPushButton*>("individualEdit")->click();
                QVERIFY(dialog.isVisible());
                dialog.findChild<QPushButton*>("individualEdit")->click();
                QVERIFY(!dialog.isVisible());
            }));
        QCOMPARE(rig.sink.shown.size(), 2u);
        QCOMPARE(rig.sink.shown[1].text, messageOf(text::msg::CancelMapLink));
        QVERIFY(!config.maps.link().active());
        QVERIFY(config.modified);
        QVERIFY(!table->linkLabel()->isVisible());
    }

    void mapsOfDifferentCountsAreNotLinked() {
        FrameRig rig;
        // The boost sample with its 4 × 6 and 3 × 4 maps named BOOST1 and BOOST2.
        std::string plain = testing::readAll(SAMPLES_DIR "/boost.rcg");
        for (const auto& [from, to] :
             {std::pair{"\nBOOST,", "\nBOOST1,"}, std::pair{"\nLAMBDA,", "\nBOOST2,"},
              std::pair{"\nModel,QX400T", "\nType,Boost"}}) {
            for (std::size_t at = plain.find(from); at != std::string::npos;
                 at = plain.find(from, at + 1))
                plain.replace(at, std::string_view(from).size(), to);
        }
        const QString path = rig.writePacked("boost.rcz", plain);
        QVERIFY(rig.frame->openFile(path));
        QVERIFY(withDialog<ui::MultiMapDialog>(
            *rig.frame, cmd::MultiMap, [&](ui::MultiMapDialog& dialog) {
                QVERIFY(!dialog.allButton()->isChecked() && !dialog.pairsButton()->isChecked());
                choose(dialog.mapList(0), "BOOST1");
                QCOMPARE(entries(dialog.mapList(1)), (QStringList{"BOOST2", ""}));
                choose(dialog.mapList(1), "BOOST2");
                dialog.allButton()->setChecked(true);
                dialog.accept();
                QVERIFY(dialog.isVisible());
            }));
        QCOMPARE(rig.sink.shown.size(), 1u);
        QCOMPARE(rig.sink.shown[0].text, messageOf(text::msg::LinkDataCountDiffers));
        QVERIFY(!rig.app.configuration().maps.link().active());
        QVERIFY(!rig.app.configuration().modified);
    }
};

} // namespace

QObject* newMultiMapTest() {
    return new MultiMapTest;
}

} // namespace qmx::uitest

#include "multimap_test.moc"
