#include "uitests.h"

#include "framerig.h"
#include "modal.h"

#include "app/commands.h"
#include "maps/map.h"
#include "text/messages.h"
#include "ui/cchildframe.h"
#include "ui/mapbar.h"
#include "ui/qtmessagesink.h"
#include "ui/tablewindow.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

QStringList menuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions())
        titles << action->text();
    return titles;
}

QStringList menuItems(QMenuBar* bar, const QString& title) {
    QStringList items;
    for (QAction* menu : bar->actions())
        if (menu->text() == title)
            for (QAction* item : menu->menu()->actions())
                items << (item->isSeparator() ? "-" : item->text());
    return items;
}

class MainFrameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FrameRig> rig;

    ui::TableWindow* table() { return rig->frame->activeTable(); }
    maps::Map& map() { return *rig->app.configuration().maps.current(); }
    int raw(int row, int column) {
        return maps::readY(map(), rig->app.configuration().image, column, row).value;
    }
    // The top left two by two cells.
    std::vector<int> block() { return {raw(0, 0), raw(0, 1), raw(1, 0), raw(1, 1)}; }
    QPoint cellCentre(int row, int column) {
        const maps::PixelRect r = table()->controller().layout().gridCell(row, column);
        return {r.x + r.width / 2, r.y + r.height / 2};
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = table();
        if (table()->editBox()->isVisible())
            target = table()->editBox();
        QTest::keyClick(target, Qt::Key(k), mods);
    }
    QStringList shownTexts() const {
        QStringList texts;
        for (const auto& shown : rig->sink.shown)
            texts << QString::fromStdString(shown.text);
        return texts;
    }

private slots:
    void init() {
        rig = std::make_unique<FrameRig>();
        QVERIFY(rig->openSample());
        table()->setFocus();
    }
    void cleanup() { rig.reset(); }

    void theMenusAreThereBeforeTheFirstDocument() {
        FrameRig fresh;
        QMenuBar* bar = fresh.frame->menuBar();
        QCOMPARE(menuTitles(bar), (QStringList{"&File", "&Help"}));
        QCOMPARE(menuItems(bar, "&File"), (QStringList{"&Open", "&Directory...", "E&xit"}));
        QVERIFY(fresh.frame->action(cmd::FileOpen)->isEnabled());
    }

    void tableFrameShowsTheMapChosenInTheBarAndTheBarsAltKeysAct() {
        auto* frame = qobject_cast<QMdiSubWindow*>(rig->frame->documentArea()->activeSubWindow());
        QCOMPARE(frame->windowTitle(), QString("TABLE -INJ1,INJ2,INJ3,INJ4[*]"));
        auto* maps = rig->frame->mapBar()->findChild<QListWidget*>("mapList");
        maps->setCurrentRow(4);
        QCOMPARE(frame->windowTitle(), QString("TABLE -IGN[*]"));
        QCOMPARE(map().name, std::string("IGN"));
        frame->close(); // the system close command is ignored
        QCOMPARE(rig->frame->documentArea()->subWindowList().size(), 2); // map and table

        // Each Alt key of the bar has its one action.
        QWidget* main = rig->frame.get();
        QAction* all = rig->frame->action(cmd::AllLines);
        QVERIFY(!all->isChecked());
        QTest::keyClick(main, Qt::Key_A, Qt::AltModifier);
        QVERIFY(all->isChecked());
        QCOMPARE(rig->frame->mapBar()->findChild<QCheckBox*>("allBox")->checkState(), Qt::Checked);
        QTest::keyClick(main, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(rig->frame->mapBar()->page(), int(ui::MapBar::kConstPage));
        QTest::keyClick(main, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(rig->frame->mapBar()->page(), int(ui::MapBar::kMapPage));
        QTest::keyClick(main, Qt::Key_L, Qt::AltModifier);
        QVERIFY(rig->frame->mapBar()->findChild<QComboBox*>("lineList")->hasFocus());
    }

    void tablePaintsWithItsColoursAndClipsNoTextWithFiveDigitAxisValues() {
        QTest::mouseClick(table(), Qt::LeftButton, Qt::NoModifier, cellCentre(1, 1));
        QTest::mouseClick(table(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(2, 2));
        const QImage picture = table()->grab().toImage();
        const maps::TableLayout& layout = table()->controller().layout();
        const maps::PixelRect current = layout.gridCell(2, 2);
        const maps::PixelRect selected = layout.gridCell(1, 1);
        QCOMPARE(QColor(picture.pixel(current.x + 2, current.y + 2)), QColor(64, 200, 200));
        QCOMPARE(QColor(picture.pixel(selected.x + 2, selected.y + 2)), QColor(0, 0, 128));

        // No text is clipped with five-digit axis values.
        rig->app.configuration().image.setByte(maps::xAddress(map(), 0, 5), 255); // 12750.0 rpm
        table()->refreshAfterChange();
        const QFontMetrics metrics(table()->font());
        QVERIFY(table()->controller().layout().cellWidth() > 55);
        const maps::TablePicture texts = table()->controller().picture();
        for (const auto* cells : {&texts.header, &texts.grid})
            for (const maps::PaintCell& cell : *cells)
                QVERIFY2(metrics.horizontalAdvance(QString::fromStdString(cell.text)) + 8 <
                             cell.rect.width,
                         cell.text.c_str());
        // The edit box over that axis value shows it whole.
        QTest::mouseDClick(table(), Qt::LeftButton, Qt::NoModifier,
                           cellCentre(-1, 5)); // the X header row above grid row 0
        QCOMPARE(table()->editBox()->text(), QString("12750.0"));
        const QFontMetrics boxMetrics(table()->editBox()->font());
        QVERIFY(boxMetrics.horizontalAdvance("12750.0") + 4 <= table()->editBox()->width());

        // Both columns of the constant list show whole.
        rig->frame->mapBar()->showConstPage();
        auto* constants = rig->frame->mapBar()->findChild<QTreeWidget*>("constList");
        QVERIFY(QTest::qWaitFor([&] { return constants->isVisible(); }, 5000));
        QHeaderView* header = constants->header();
        QVERIFY(header->sectionViewportPosition(1) + header->sectionSize(1) <=
                constants->viewport()->width());
        for (int row = 0; row < constants->topLevelItemCount(); ++row)
            for (int column = 0; column < 2; ++column)
                QVERIFY(constants->fontMetrics().horizontalAdvance(
                            constants->topLevelItem(row)->text(column)) <
                        header->sectionSize(column));
    }

    void typedValuesStepsTheirUndoAndTheLineList() {
        // A digit opens the edit box; Enter commits into every selected cell, one Ctrl+Z undoes.
        QTest::mouseClick(table(), Qt::LeftButton, Qt::NoModifier, cellCentre(0, 0));
        QTest::mouseClick(table(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(1, 1));
        const std::vector<int> before = block();
        key(Qt::Key_7);
        QCOMPARE(table()->editBox()->text(), QString("7"));
        key(Qt::Key_Return);
        QVERIFY(!table()->editBox()->isVisible());
        QCOMPARE(block(), (std::vector<int>{70, 70, 70, 70}));
        QVERIFY(rig->frame->isWindowModified());
        QCOMPARE(rig->frame->mapBar()->dataValueText(), QString("7.0"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(block(), before);
        QVERIFY(!rig->frame->action(cmd::EditUndo)->isEnabled());

        // Page Up steps merge into one record; Shift steps ten; Alt+Backspace undoes.
        QTest::mouseClick(table(), Qt::LeftButton, Qt::NoModifier, cellCentre(2, 2));
        const int raw22 = raw(2, 2);
        for (int i = 0; i < 5; ++i)
            key(Qt::Key_PageUp);
        QCOMPARE(raw(2, 2), raw22 + 5);
        QCOMPARE(map().undo.size(), 1u);
        key(Qt::Key_PageUp, Qt::ShiftModifier);
        QCOMPARE(raw(2, 2), raw22 + 15);
        key(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(raw(2, 2), raw22);

        // Shift+arrows extend the selection; a plain arrow collapses it.
        QTest::mouseClick(table(), Qt::LeftButton, Qt::NoModifier, cellCentre(0, 0));
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(map().selection.size(), 4u);
        QVERIFY(map().selection.contains({0, 3}));
        key(Qt::Key_Right);
        QCOMPARE(map().selection.size(), 1u);
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(map().selection.size(), 2u);
        QVERIFY(map().selection.contains({1, 4}));

        // A Z value typed in the table shows in the map bar's "&Line" list.
        QTest::mouseClick(table(), Qt::LeftButton, Qt::NoModifier, cellCentre(0, 0));
        auto* lines = rig->frame->mapBar()->findChild<QComboBox*>("lineList");
        QCOMPARE(lines->itemText(0), QString("0.0"));
        key(Qt::Key_Left); // onto the Z value of the row
        key(Qt::Key_F2);
        table()->editBox()->selectAll();
        QTest::keyClicks(table()->editBox(), "3");
        key(Qt::Key_Return);
        QCOMPARE(lines->itemText(0), QString("2.7")); // raw 7 of x*100/255
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(lines->itemText(0), QString("0.0"));
    }

    void theFocusReturnsToTheTableAfterAMessageBox() {
        ui::QtMessageSink boxes(rig->frame.get());
        rig->sink.boxes = &boxes;
        key(Qt::Key_5);
        QTest::keyClicks(table()->editBox(), "-");
        onNextModal([](QWidget* box) { static_cast<QDialog*>(box)->accept(); });
        key(Qt::Key_Return); // "Data error"
        QCOMPARE(rig->sink.shown.size(), 1u);
        QVERIFY(QTest::qWaitFor([this] { return table()->hasFocus(); }, 5000));
        const int page = rig->frame->mapBar()->page();
        key(Qt::Key_Right);
        QCOMPARE(rig->frame->mapBar()->page(), page);
        QCOMPARE(map().editIndex, 1);
        rig->sink.boxes = nullptr;
    }

    void copyAndPasteGoThroughTheClipboardOrWarn() {
        map().selection.clearCells();
        for (auto [row, column] : {std::pair{0, 0}, {0, 2}, {1, 1}})
            map().selection.add({row, column});
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("3.0\t0.0\t4.2\r\n0.0\t4.8\t0.0"));

        QTest::mouseClick(table(), Qt::LeftButton, Qt::NoModifier, cellCentre(0, 0));
        QGuiApplication::clipboard()->setText("1.5\t2\r\n3\t4");
        QVERIFY(rig->frame->action(cmd::EditPaste)->isEnabled());
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(block(), (std::vector<int>{15, 20, 30, 40}));
        QVERIFY(rig->sink.shown.empty());

        QGuiApplication::clipboard()->setText("1.5\t2\r\n3");
        key(Qt::Key_Insert, Qt::ShiftModifier);
        QGuiApplication::clipboard()->setText("1e3");
        key(Qt::Key_V, Qt::ControlModifier);
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        QVERIFY(!rig->frame->action(cmd::EditPaste)->isEnabled());
        table()->paste(); // reached only when text vanished after the command was enabled
        QCOMPARE(
            shownTexts(),
            (QStringList{QString::fromLatin1(text::messageText(text::msg::ClipboardNotRectangular)),
                         QString::fromLatin1(text::messageText(text::msg::ClipboardNotNumeric)),
                         QString::fromLatin1(text::messageText(text::msg::ClipboardUnreadable))}));
        QCOMPARE(raw(0, 0), 15);
    }

    void closeAsksBeforeLosingEditsSaveKeepsThemAndTheMenusFollow() {
        QCOMPARE(rig->frame->windowTitle(), "QMX - " + rig->samplePath() + "[*]");
        key(Qt::Key_9);
        key(Qt::Key_Return);
        rig->sink.answers = {text::Answer::Cancel};
        rig->frame->runCommand(cmd::FileClose);
        QCOMPARE(shownTexts(), QStringList{QString::fromLatin1(
                                   text::messageText(text::msg::CloseWithoutSaving))});
        QVERIFY(rig->app.configuration().isOpen());

        rig->sink.shown.clear();
        key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!rig->frame->isWindowModified());
        rig->frame->runCommand(cmd::FileClose);
        // Nothing to ask; the sample's map link is reported as cleared.
        QCOMPARE(shownTexts(),
                 QStringList{QString::fromLatin1(text::messageText(text::msg::MapLinkCleared))});
        QVERIFY(!rig->app.configuration().isOpen());
        QVERIFY(rig->frame->documentArea()->subWindowList().isEmpty());
        QCOMPARE(rig->frame->mapBar()->findChild<QListWidget*>("mapList")->count(), 0);
        QVERIFY(!rig->frame->mapBar()->findChild<QCheckBox*>("allBox")->isEnabled());
        QCOMPARE(menuTitles(rig->frame->menuBar()), (QStringList{"&File", "&Help"}));
        QVERIFY(!rig->frame->action(cmd::FileSave)->isEnabled());

        QVERIFY(rig->openSample());
        QCOMPARE(menuTitles(rig->frame->menuBar()),
                 (QStringList{"&File", "&Edit", "&Monitor", "&Tool", "&Window", "&Help"}));
        QCOMPARE(raw(0, 0), 90);
    }

    // A line too long for the packed layout: its own message first, then the save's failure.
    void saveOfAnOverLongLineSaysWhyFirst() {
        rig->app.configuration().lines.append(std::string(0x10000, 'x'));
        key(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(shownTexts(),
                 (QStringList{QString::fromLatin1(text::messageText(text::msg::LineTooLong)),
                              QString::fromLatin1(text::messageText(text::msg::SaveError))}));
    }

    void titleEditorWritesBackOnOkAndADeletionMarksModified() {
        const auto acted = onNextModal([](QWidget* editor) {
            editor->findChild<QListWidget*>("titles")->setCurrentRow(0);
            editor->findChild<QPushButton*>("delete")->click();
            static_cast<QDialog*>(editor)->accept();
        });
        rig->frame->runCommand(cmd::Title);
        QVERIFY(*acted);
        QVERIFY(rig->frame->isWindowModified());
        const auto& lines = rig->app.configuration().lines.lines();
        QVERIFY(std::find(lines.begin(), lines.end(), "Engine") == lines.end());
        QVERIFY(std::find(lines.begin(), lines.end(), "Calibration") != lines.end());
    }
};

} // namespace

QObject* newMainFrameTest() {
    return new MainFrameTest;
}

} // namespace qmx::uitest

#include "mainframe_test.moc"
