#include "ui/mapplot.h"

#include "ui/mapwindow.h"

#include <QMouseEvent>
#include <QPainter>

#include <array>

namespace qmx::ui {

namespace {

constexpr int kBorder = 1;
constexpr int kMarkHalf = 3; // the selection square is 7 × 7 pixels

QPolygon polygonOf(const std::vector<maps::PixelPoint>& points) {
    QPolygon polygon;
    for (const maps::PixelPoint& p : points)
        polygon << QPoint(p.x, p.y);
    return polygon;
}

void drawStrokes(QPainter& painter, const std::vector<maps::PlotStroke>& strokes) {
    for (const maps::PlotStroke& stroke : strokes) {
        painter.setPen(QPen(MapPlot::paletteColour(stroke.colour), stroke.width));
        painter.drawPolyline(polygonOf(stroke.points));
    }
}

} // namespace

const QColor& MapPlot::paletteColour(int colour) {
    static const std::array<QColor, 20> palette{
        QColor(0, 0, 0),       QColor(128, 0, 0),     QColor(0, 128, 0),     QColor(128, 128, 0),
        QColor(0, 0, 128),     QColor(128, 0, 128),   QColor(0, 128, 128),   QColor(192, 192, 192),
        QColor(192, 220, 192), QColor(166, 202, 240), QColor(255, 251, 240), QColor(160, 160, 164),
        QColor(128, 128, 128), QColor(255, 0, 0),     QColor(0, 255, 0),     QColor(255, 255, 0),
        QColor(0, 0, 255),     QColor(255, 0, 255),   QColor(0, 255, 255),   QColor(255, 255, 255)};
    if (colour < 0 || colour >= int(palette.size()))
        return kGrid;
    return palette[std::size_t(colour)];
}

MapPlot::MapPlot(const maps::MapController& controller, MapWindow& window)
    : QWidget(&window), m_controller(controller), m_window(window) {
    setObjectName("mapPlot");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapPlot::place(const maps::PixelRect& plot) {
    setGeometry(plot.x - kBorder, plot.y - kBorder, plot.width + 2 * kBorder,
                plot.height + 2 * kBorder);
    setVisible(!plot.empty());
}

void MapPlot::takeDragCopy() {
    m_dragCopy = QPixmap(width() - 2 * kBorder, height() - 2 * kBorder);
    QPainter painter(&m_dragCopy);
    paintPicture(painter, m_controller.dragBackground());
}

void MapPlot::dropDragCopy() {
    m_dragCopy = QPixmap();
}

void MapPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.translate(kBorder, kBorder);
    painter.setClipRect(0, 0, width() - 2 * kBorder, height() - 2 * kBorder);
    if (m_controller.dragging() && !m_dragCopy.isNull()) {
        painter.drawPixmap(0, 0, m_dragCopy);
        drawStrokes(painter, m_controller.dragStrokes());
        return;
    }
    paintPicture(painter, m_controller.picture());
}

void MapPlot::paintPicture(QPainter& painter, const maps::PlotPicture& picture) const {
    const int plotWidth = width() - 2 * kBorder;
    const int plotHeight = height() - 2 * kBorder;
    painter.fillRect(0, 0, plotWidth, plotHeight, Qt::white);
    painter.setPen(kGrid);
    for (int x : picture.grid)
        painter.drawLine(x, 0, x, plotHeight);
    drawStrokes(painter, picture.strokes);
    if (picture.pointMark) {
        const QRect square(picture.pointMark->x - kMarkHalf, picture.pointMark->y - kMarkHalf,
                           2 * kMarkHalf + 1, 2 * kMarkHalf + 1);
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(square, Qt::white);
        painter.restore();
    }
    if (picture.columnMark) {
        painter.setPen(Qt::red);
        painter.drawLine(*picture.columnMark, 0, *picture.columnMark, plotHeight);
    }
}

QPoint MapPlot::plotPoint(const QMouseEvent* event) const {
    return event->position().toPoint() - QPoint(kBorder, kBorder);
}

void MapPlot::mousePressEvent(QMouseEvent* event) {
    m_window.plotPressed(event->button(), plotPoint(event));
}

void MapPlot::mouseMoveEvent(QMouseEvent* event) {
    m_window.plotMoved(plotPoint(event));
}

void MapPlot::mouseReleaseEvent(QMouseEvent* event) {
    m_window.plotReleased(event->button());
}

} // namespace qmx::ui
