#include "ui/mapwindow.h"

#include "ui/linklabel.h"
#include "ui/mapplot.h"
#include "ui/pixelrect.h"
#include "ui/textcodec.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace qmx::ui {

namespace {

constexpr int kFontPixels = 14;

// The edit operation code of a plain arrow key; 0 for any other key.
int plainArrowCode(const QKeyEvent& key) {
    if (key.modifiers() & ~Qt::KeypadModifier)
        return 0;
    switch (key.key()) {
    case Qt::Key_Left:
        return maps::mapcmd::ArrowLeft;
    case Qt::Key_Right:
        return maps::mapcmd::ArrowRight;
    case Qt::Key_Up:
        return maps::mapcmd::ArrowUp;
    case Qt::Key_Down:
        return maps::mapcmd::ArrowDown;
    default:
        return 0;
    }
}

} // namespace

MapWindow::MapWindow(maps::MapSet& maps, text::MessageSink& sink,
                     const maps::DisplayFormats& formats, QWidget* parent)
    : DocChildWindow(parent), m_maps(maps), m_controller(maps, sink, formats), m_font("Arial"),
      m_plot(new MapPlot(m_controller, *this)), m_linkLabel(new LinkLabel(maps, this)) {
    setObjectName("mapWindow");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font.setPixelSize(kFontPixels);
    const QFontMetrics metrics(m_font);
    m_controller.setFont(maps::LabelFont{
        [metrics](std::string_view text) { return metrics.horizontalAdvance(textFromBytes(text)); },
        metrics.ascent(), metrics.height()});
    m_caption = textFromBytes(m_controller.caption());
    m_linkLabel->refresh();
}

void MapWindow::repaintWindow() {
    m_plot->update();
}

void MapWindow::refreshAfterChange() {
    syncCaption();
    m_plot->update();
}

void MapWindow::refreshAfterFocus() {
    // Coming to the front ends the table's block selection; the table repaints.
    if (frameActive() && m_controller.endBlockSelection())
        emit selectionMoved();
    syncCaption();
    m_plot->update();
}

void MapWindow::valueChanged(int, WindowKind) {
}

void MapWindow::editOperation(int code) {
    settle(m_controller.command(code));
}

void MapWindow::mapChanged() {
    m_plot->dropDragCopy();
    if (m_plot == mouseGrabber())
        m_plot->releaseMouse();
    m_controller.mapChanged();
    layOut();
    settle({});
}

void MapWindow::postRepaint(bool) {
    QMetaObject::invokeMethod(m_plot, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

bool MapWindow::hasBlockSelection() const {
    const maps::Map* map = m_maps.current();
    return map && map->selection.size() >= 2;
}

void MapWindow::plotPressed(Qt::MouseButton button, QPoint at) {
    if (button == Qt::RightButton) {
        const maps::MapEffect effect = m_controller.pressRight();
        if (!effect.valueShown)
            return; // no drag to cancel
        m_plot->releaseMouse();
        m_plot->dropDragCopy();
        settle(effect);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const bool wasDragging = m_controller.dragging();
    const maps::MapEffect effect = m_controller.pressLeft(at.x(), at.y());
    if (!wasDragging && m_controller.dragging()) {
        m_plot->grabMouse();
        m_plot->takeDragCopy();
    }
    settle(effect);
}

void MapWindow::plotMoved(QPoint at) {
    const maps::MapEffect effect = m_controller.moveTo(at.x(), at.y());
    if (effect.valueShown)
        settle(effect);
}

void MapWindow::plotReleased(Qt::MouseButton button) {
    if (button != Qt::LeftButton || !m_controller.dragging())
        return;
    const maps::MapEffect effect = m_controller.releaseLeft();
    m_plot->releaseMouse();
    m_plot->dropDragCopy();
    settle(effect);
}

bool MapWindow::event(QEvent* event) {
    // While a column is selected the plain arrows belong to this window, not to the frame's keys.
    if (event->type() == QEvent::ShortcutOverride && m_controller.takesPlainArrows() &&
        plainArrowCode(*static_cast<QKeyEvent*>(event)) != 0) {
        event->accept();
        return true;
    }
    return DocChildWindow::event(event);
}

void MapWindow::keyPressEvent(QKeyEvent* event) {
    if (const int code = plainArrowCode(*event); code != 0 && m_controller.takesPlainArrows()) {
        editOperation(code);
        return;
    }
    DocChildWindow::keyPressEvent(event);
}

void MapWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const maps::MapGeometry& g = m_controller.geometry();
    if (!g.drawable())
        return;
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    const auto drawMarks = [&](const maps::AxisMarks& marks) {
        for (const maps::AxisLabel& label : marks.labels)
            painter.drawText(toQRect(label.box), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                             textFromBytes(label.text));
        for (const maps::Tick& tick : marks.ticks)
            painter.drawLine(tick.x1, tick.y1, tick.x2, tick.y2);
    };
    drawMarks(g.vertical());
    drawMarks(g.horizontal());
    painter.drawText(toQRect(g.xTitle().box), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     textFromBytes(g.xTitle().text));
    const QString yTitle = textFromBytes(g.yTitle());
    const QFontMetrics metrics(m_font);
    const int titleWidth = metrics.horizontalAdvance(yTitle);
    painter.translate(g.yTitleCentre().x, g.yTitleCentre().y);
    painter.rotate(-90);
    painter.drawText(QRect(-titleWidth / 2, -metrics.height() / 2, titleWidth, metrics.height()),
                     Qt::AlignCenter | Qt::TextDontClip, yTitle);
}

void MapWindow::resizeEvent(QResizeEvent*) {
    layOut();
}

void MapWindow::layOut() {
    m_controller.resize(width(), height());
    const maps::MapGeometry& g = m_controller.geometry();
    m_plot->place(g.drawable() ? g.plot() : maps::PixelRect{});
    // Left of the plot, the line of the X title (centred under the plot) is free.
    if (g.drawable())
        m_linkLabel->placeIn(QRect(0, g.xTitle().box.y, g.plot().x, g.xTitle().box.height));
    update();
}

void MapWindow::syncCaption() {
    const QString caption = textFromBytes(m_controller.caption());
    if (caption != m_caption) {
        m_caption = caption;
        emit captionChanged(m_caption);
    }
    m_linkLabel->refresh();
}

void MapWindow::settle(const maps::MapEffect& effect) {
    if (effect.selectionMoved)
        emit selectionMoved();
    if (effect.valuesChanged)
        emit valuesEdited();
    m_plot->update();
    syncCaption();
    emit stateChanged();
    // Last, so that what it shows of a drag is not overwritten by what the image holds.
    if (effect.valueShown)
        emit valueShown(m_controller.editedValue());
}

} // namespace qmx::ui
