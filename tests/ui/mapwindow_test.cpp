#include "uitests.h"

#include "framerig.h"

#include "app/commands.h"
#include "maps/undohistory.h"
#include "ui/cchildframe.h"
#include "ui/mapbar.h"
#include "ui/mapplot.h"
#include "ui/mapwindow.h"
#include "ui/tablewindow.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTest>

namespace qmx::uitest {
namespace {

namespace cmd = app::cmd;

// The map window in the main frame over the sample: INJ1's lines, limits raw 5..240.
class MapWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FrameRig> rig;

    maps::Map& map() { return *rig->app.configuration().maps.current(); }
    const config::EcuImage& image() { return rig->app.configuration().image; }
    ui::MapWindow* graph() { return dynamic_cast<ui::MapWindow*>(rig->frame->activeChild()); }
    const maps::MapScales& scales() { return graph()->controller().geometry().scales(); }
    int raw(int row, int column) { return maps::readY(map(), image(), column, row).value; }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(rig->frame->activeChild(), Qt::Key(k), mods);
    }
    // Plot position of point `column` of line `row`.
    QPoint point(int row, int column) {
        const maps::PixelPoint p =
            maps::linePoints(map(), image(), scales(), row)[std::size_t(column)];
        return {p.x, p.y};
    }
    // The lowest plot y that stands for data raw `value`.
    int yOf(int value) {
        int y = scales().plotHeight - 1;
        while (y > 0 && scales().rawAtY(y) < value)
            --y;
        return y;
    }
    // A mouse event on the plot at plot position `at` (the plot's border is one pixel wide).
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        ui::MapPlot* plot = graph()->plot();
        const QPointF local = at + QPoint(1, 1);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, local, plot->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(plot, &event);
    }
    QString tableText(int row, int column) {
        auto* table = dynamic_cast<ui::TableWindow*>(
            rig->frame->documentArea()->subWindowList().last()->widget()->focusProxy());
        const maps::PixelRect cell = table->controller().layout().gridCell(row, column);
        for (const maps::PaintCell& painted : table->controller().picture().grid)
            if (painted.rect.x == cell.x && painted.rect.y == cell.y)
                return QString::fromStdString(painted.text);
        return {};
    }

private slots:
    void init() {
        rig = std::make_unique<FrameRig>();
        QVERIFY(rig->openSample());
        rig->frame->activeTable()->setFocus();
        key(Qt::Key_F4);
        QVERIFY(graph() != nullptr);
    }
    void cleanup() { rig.reset(); }

    void bothFramesOpenTheKeysSwitchBetweenThemAndReachThePlot() {
        QCOMPARE(rig->frame->documentArea()->subWindowList().size(), 2);
        key(Qt::Key_F6, Qt::ControlModifier);
        QVERIFY(rig->frame->activeTable() != nullptr);
        key(Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(graph() != nullptr);
        key(Qt::Key_F4); // activates the frame it has
        QCOMPARE(rig->frame->documentArea()->subWindowList().size(), 2);
        QVERIFY(!graph()->plot()->geometry().isEmpty());
        // The keys reach the plot's selection and steps; the table shows the value stepped.
        key(Qt::Key_Right);
        key(Qt::Key_PageUp);
        QCOMPARE(raw(0, 1), 0x24 + 1);
        QCOMPARE(tableText(0, 1), QString("3.7"));

        // Alt+A draws every line.
        QCOMPARE(graph()->controller().picture().strokes.size(), 1u);
        key(Qt::Key_A, Qt::AltModifier);
        QVERIFY(map().allLines);
        QCOMPARE(graph()->controller().picture().strokes.size(), 8u);
        // The grey grid and the 2-pixel current line in the palette's first colour.
        const QImage picture = graph()->plot()->grab().toImage();
        QCOMPARE(QColor(picture.pixel(1 + point(0, 3).x(), 2)), QColor(192, 192, 192));
        rig->frame->runCommand(cmd::AllLines);
        QVERIFY(!map().allLines);
    }

    void pressSelectsSecondPressDragsAndReleaseWritesOneDragRecord() {
        mouse(QEvent::MouseButtonPress, point(0, 2));
        mouse(QEvent::MouseButtonRelease, point(0, 2));
        QCOMPARE(map().target, maps::EditTarget::Y);
        QCOMPARE(map().editIndex, 2);
        QCOMPARE(rig->frame->mapBar()->dataValueText(), QString("4.2"));
        QVERIFY(!graph()->controller().dragging());

        mouse(QEvent::MouseButtonPress, point(0, 2));
        QVERIFY(graph()->controller().dragging());
        QCOMPARE(QWidget::mouseGrabber(), graph()->plot());
        mouse(QEvent::MouseMove, {point(0, 2).x(), yOf(100)});
        QCOMPARE(rig->frame->mapBar()->dataValueText(), QString("10.0"));
        QCOMPARE(raw(0, 2), 42); // not written before the release
        mouse(QEvent::MouseButtonRelease, {point(0, 2).x(), yOf(100)});
        QVERIFY(!graph()->controller().dragging());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(raw(0, 2), 100);
        QCOMPARE(map().undo.size(), 1u);
        QCOMPARE(rig->frame->action(cmd::EditUndo)->text(), QString("&Undo(Drag DATA)"));
        QCOMPARE(tableText(0, 2), QString("10.0"));
        QVERIFY(rig->frame->isWindowModified());
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(raw(0, 2), 42);
    }

    void rightButtonCancelsADrag() {
        mouse(QEvent::MouseButtonPress, point(0, 0)); // already selected: the drag begins
        QVERIFY(graph()->controller().dragging());
        mouse(QEvent::MouseMove, {point(0, 0).x(), yOf(200)});
        mouse(QEvent::MouseButtonPress, {point(0, 0).x(), yOf(200)}, Qt::RightButton);
        QVERIFY(!graph()->controller().dragging());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        mouse(QEvent::MouseButtonRelease, {point(0, 0).x(), yOf(200)});
        QCOMPARE(raw(0, 0), 0x1E);
        QVERIFY(map().undo.empty());
        QCOMPARE(rig->frame->mapBar()->dataValueText(), QString("3.0"));
    }
};

} // namespace

QObject* newMapWindowTest() {
    return new MapWindowTest;
}

} // namespace qmx::uitest

#include "mapwindow_test.moc"
