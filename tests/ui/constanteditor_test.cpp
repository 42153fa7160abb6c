#include "uitests.h"

#include "framerig.h"
#include "modal.h"

#include "app/commands.h"
#include "maps/calibration.h"
#include "ui/celledit.h"
#include "ui/constanteditordialog.h"
#include "ui/mapbar.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <vector>

namespace qmx::uitest {
namespace {

QLineEdit* cell(QWidget* dialog, int position) {
    return dialog->findChild<QLineEdit*>(QString("valueCell%1").arg(position));
}

std::vector<std::uint8_t> bytesOf(const config::EcuImage& image) {
    return {image.data(), image.data() + config::EcuImage::Size};
}

// `count` constants; the third is read-only and has a long name and unit.
config::CLineList constants(int count) {
    config::CLineList lines;
    lines.append("[Calib]");
    for (int i = 0; i < count; ++i) {
        const std::string address = QString("%1").arg(0x9000 + i, 4, 16).toStdString();
        lines.append(i == 2 ? address + ",2,Injector dead time at nominal battery voltage,0.004,"
                                        "0,milliseconds,1,1"
                            : address + ",1,C" + std::to_string(i) + ",1,0,u,1");
    }
    return lines;
}

// The constant editor in the main frame: opened from the Tool menu and from the map bar,
// keys in its cells, and what OK and Cancel leave in the image.
class ConstantEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FrameRig> rig;

    app::Configuration& config() { return rig->app.configuration(); }
    // Runs `act` on the editor that `open` brings up; false when none came up.
    bool withEditor(const std::function<void()>& open, const std::function<void(QWidget*)>& act) {
        bool ran = false;
        onNextModal([&](QWidget* dialog) {
            ran = true;
            QApplication::setActiveWindow(dialog);
            act(dialog);
            if (dialog->isVisible())
                static_cast<QDialog*>(dialog)->reject();
        });
        open();
        return ran;
    }
    void editConst() { rig->frame->runCommand(app::cmd::EditConst); }
    std::uint8_t idleSpeed() { return config().image.byte(0x8010); }

private slots:
    void init() {
        rig = std::make_unique<FrameRig>();
        QVERIFY(rig->openSample());
        config().modified = false;
    }
    void cleanup() { rig.reset(); }

    void clickInTheConstantListOpensTheEditorAtThatEntry() {
        ui::MapBar* bar = rig->frame->mapBar();
        bar->showConstPage();
        auto* list = bar->findChild<QTreeWidget*>("constList");
        QTreeWidgetItem* item = list->topLevelItem(3);
        QVERIFY(item);
        const std::uint8_t before = config().image.byte(0x8014);
        QString focused;
        QVERIFY(withEditor(
            [&] {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(item).center());
            },
            [&](QWidget* dialog) {
                QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() != nullptr; }));
                focused = QApplication::focusWidget()->objectName();
                // Esc after an edit puts the value back; a second Esc cancels the dialog.
                QTest::keyClicks(QApplication::focusWidget(), "7");
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                QCOMPARE(cell(dialog, 3)->text(), item->text(1));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                QVERIFY(!dialog->isVisible());
            }));
        QCOMPARE(focused, QString("valueCell3"));
        QCOMPARE(config().image.byte(0x8014), before);
        QVERIFY(!config().modified);
    }

    void cancelAfterSeveralEditsLeavesTheImageAsItWasAndOkStoresThem() {
        const std::vector<std::uint8_t> before = bytesOf(config().image);
        QVERIFY(withEditor([&] { editConst(); },
                           [&](QWidget* dialog) {
                               QLineEdit* idle = cell(dialog, 0);
                               QTest::keyClicks(idle, "1200");
                               QTest::keyClick(idle, Qt::Key_Return);
                               QTest::keyClick(idle, Qt::Key_PageUp);
                               QTest::keyClick(idle, Qt::Key_Down, Qt::ShiftModifier);
                               QTest::keyClicks(cell(dialog, 1), "8000");
                               QTest::keyClick(cell(dialog, 1), Qt::Key_Return);
                               QTest::keyClick(cell(dialog, 1), Qt::Key_Z, Qt::ControlModifier);
                               QCOMPARE(idle->text(), QString("1210"));
                               dialog->findChild<QPushButton*>("cancelButton")->click();
                           }));
        QVERIFY(bytesOf(config().image) == before);
        QVERIFY(!config().modified);

        // OK stores the edits, and marks the document modified only when a byte changed.
        QVERIFY(withEditor([&] { editConst(); },
                           [&](QWidget* dialog) {
                               QTest::keyClick(cell(dialog, 0), Qt::Key_F2);
                               QTest::keyClick(cell(dialog, 0), Qt::Key_Return);
                               dialog->findChild<QPushButton*>("okButton")->click();
                           }));
        QVERIFY(!config().modified);

        // A value typed and left open is committed by OK; the map bar shows it.
        QVERIFY(withEditor([&] { editConst(); },
                           [&](QWidget* dialog) {
                               QTest::keyClicks(cell(dialog, 0), "950");
                               // As the mnemonic presses it: the focus stays in the cell.
                               dialog->findChild<QPushButton*>("okButton")->click();
                           }));
        QCOMPARE(idleSpeed(), 95);
        QVERIFY(config().modified);
        auto* list = rig->frame->mapBar()->findChild<QTreeWidget*>("constList");
        QCOMPARE(list->topLevelItem(0)->text(1), QString("950"));
    }

    void scrollBarPast16RowsAndLongTextsReadable() {
        ScriptedSink sink;
        config::EcuImage image;
        ui::ConstantEditorDialog sixteen(constants(16), image, sink);
        QVERIFY(!sixteen.findChild<QScrollBar*>("constScroll")->isVisibleTo(&sixteen));

        ui::ConstantEditorDialog dialog(constants(17), image, sink);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* scroll = dialog.findChild<QScrollBar*>("constScroll");
        QVERIFY(scroll->isVisible());
        QCOMPARE(scroll->maximum(), 1);
        QVERIFY(!cell(&dialog, 2)->isEnabled()); // the read-only entry
        scroll->setValue(1);
        QVERIFY(!cell(&dialog, 1)->isEnabled() && cell(&dialog, 2)->isEnabled());
        for (QLabel* label : dialog.findChildren<QLabel*>())
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(label->text()));
    }
};

} // namespace

QObject* newConstantEditorTest() {
    return new ConstantEditorTest;
}

} // namespace qmx::uitest

#include "constanteditor_test.moc"
